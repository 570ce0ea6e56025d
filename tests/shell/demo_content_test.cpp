// The shipped demo: every script compiles and runs its start on a fresh level, every level, cube,
// motion, path and planner file that they name loads, and nothing shows a message box. Every
// content file of the folder is named by a script or a level, so none goes unchecked.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/motion_table.h"
#include "anim/paths.h"
#include "render/bitmap.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/states.h"
#include "shell/shutdown.h"
#include "shell/sound.h"
#include "support/shell_fixture.h"
#include "support/undrawn_view.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/frame_animation.h"
#include "world/level_reader.h"
#include "world/limits.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/sprite2d_object.h"
#include "world/texture_table.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::vector<std::string> FilesEndingIn(const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(DUSK_DEMO_DATA)) {
        if (Lower(entry.path().extension().string()) == extension)
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadText(const std::string& name) {
    std::ifstream in(std::string(DUSK_DEMO_DATA) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return Lower(text.str());
}

// What each script's start builds: rooms, motion rows, paths, and the map objects by id.
struct Expected {
    const char* script;
    int rooms;
    int motionRows;
    int paths;
    std::vector<int> objectIds;
};

// The level's walls in the floor plane: every textured side of its cubes and of its door leaves.
struct Wall {
    double x0, z0, x1, z1;
};

void AddSides(const Cube& cube, bool all, std::vector<Wall>& walls) {
    for (int k = 0; k < CubeSides; ++k) {
        if (cube.Degenerate(k) || (!all && cube.texture[k] == OpenFace)) continue;
        const FixedVector& a = cube.Bottom(k);
        const FixedVector& b = cube.Bottom(k + 1);
        walls.push_back({a.x / 65536.0, a.z / 65536.0, b.x / 65536.0, b.z / 65536.0});
    }
}

std::vector<Wall> LevelWalls() {
    std::vector<Wall> walls;
    for (int i = 0; i < CubeCount; ++i) {
        AddSides(*Cubes[i], false, walls);
        for (ObjectListNode* node = Cubes[i]->objects; node; node = node->next) {
            if (node->object->type == DoorType)
                AddSides(*static_cast<DoorObject*>(node->object)->leaf, true, walls);
        }
    }
    return walls;
}

double DistanceToWall(double x, double z, const Wall& w) {
    const double dx = w.x1 - w.x0, dz = w.z1 - w.z0;
    const double length2 = dx * dx + dz * dz;
    double t = length2 > 0 ? ((x - w.x0) * dx + (z - w.z0) * dz) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (w.x0 + t * dx), z - (w.z0 + t * dz));
}

// A place to stand: x and z, heading and tilt.
struct Pose {
    double x, z;
    Angle16 heading;
    int horizon;
};

// Seeded random poses on a floor, at least `clearance` units from every wall, after the fixed
// ones that stand clear in the level: looking east and west across the middle of a second row
// of cubes, and back north from the third cube of that row at a ledge along its near side.
std::vector<Pose> StandingPoses(int count, double clearance, unsigned seed) {
    double minX = 1e9, maxX = -1e9, minZ = 1e9, maxZ = -1e9;
    for (int i = 0; i < VertexCount; ++i) {
        minX = std::min(minX, Vertices[i].x / 65536.0),
        maxX = std::max(maxX, Vertices[i].x / 65536.0);
        minZ = std::min(minZ, Vertices[i].z / 65536.0),
        maxZ = std::max(maxZ, Vertices[i].z / 65536.0);
    }
    const std::vector<Wall> walls = LevelWalls();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> across(minX, maxX), along(minZ, maxZ);
    std::uniform_int_distribution<int> heading(0, 65535), horizon(-80, 80);
    std::vector<Pose> poses;
    const Pose fixed[] = {{150, 150, 0x4000, 0},   {240, 150, 0xC000, 0}, {50, 150, 0x4000, 0},
                          {50, 150, 0x4000, 60},   {250, 110, 0x8000, 0}, {250, 150, 0x8000, 0},
                          {250, 190, 0x8000, -40}, {230, 130, 0x9000, 30}};
    for (int i = 0; static_cast<int>(poses.size()) < count; ++i) {
        const Pose pose = i < static_cast<int>(std::size(fixed))
                              ? fixed[i]
                              : Pose{across(random), along(random),
                                     static_cast<Angle16>(heading(random)), horizon(random)};
        if (!FindCubeAt(static_cast<Fixed16>(pose.x * 65536), static_cast<Fixed16>(pose.z * 65536)))
            continue;
        const bool clear = std::all_of(walls.begin(), walls.end(), [&](const Wall& w) {
            return DistanceToWall(pose.x, pose.z, w) >= clearance;
        });
        if (clear) poses.push_back(pose);
    }
    return poses;
}

// The view pixels that the world leaves undrawn from the pose.
int UndrawnPixels(const Pose& pose) {
    PlayerX = static_cast<Fixed16>(pose.x * 65536);
    PlayerZ = static_cast<Fixed16>(pose.z * 65536);
    PlayerHeading = pose.heading;
    HorizonOffset = pose.horizon;
    CurrentCube = FindCubeAt(PlayerX, PlayerZ);
    PlayerY = CurrentCube->FloorHeight(PlayerX, PlayerZ) + EyeHeight;
    return UndrawnViewPixels();
}

}  // namespace

class DemoContent : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    }
    // The level reset first: a later start-up in this process takes over no animation objects.
    void TearDown() override {
        ResetLevel();
        ShellTest::TearDown();
    }
};

TEST_F(DemoContent, EveryScriptStartsOnItsOwnLevelWithoutComplaint) {
    const std::vector<Expected> expected = {
        {"demo.scp", 4, 3, 0, {0, 1}},
        {"springrm.scp", 1, 5, 4, {0, 1, 2, 4, 5, 6, 7, 11}},
        {"ferrowrm.scp", 4, 6, 0, {0, 1}},
        {"yard.scp", 4, 6, 0, {0, 1}},
    };
    std::set<std::string> covered;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.script);
        covered.insert(e.script);
        ResetLevel();
        LoadScript(e.script);
        EXPECT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
        EXPECT_GT(StateCount, 2);
        EXPECT_EQ(RoomCount, e.rooms);
        EXPECT_EQ(MotionCount, e.motionRows);
        EXPECT_EQ(PathCount, e.paths);
        for (int id : e.objectIds) EXPECT_NE(MapObjectTable[id], nullptr) << "object " << id;
        if (SoundDevice) {
            EXPECT_EQ(SoundFileNames[0].empty(),
                      ReadText(e.script).find("loadsound") == std::string::npos);
        }
        platform::ClearRecordedBoxes();
    }
    // Every script of the folder is one of them.
    for (const std::string& name : FilesEndingIn(".scp")) EXPECT_TRUE(covered.count(name)) << name;
}

TEST_F(DemoContent, TheSpringCourtsSwapsFindTheirFrameSets) {
    ResetLevel();
    LoadScript("springrm.scp");
    ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    // The fixed frame sets of the sprite and deco swaps lie inside the court's texture table.
    EXPECT_GE(TextureCount, 204);
    for (int i = 57; i <= 203; ++i) EXPECT_NE(TextureTable[i], nullptr) << i;
}

// Standing anywhere a player can, at least a wall's distance (8 units) from every wall, facing
// any way and tilted within -80..80 lines, the world fills the whole view.
TEST_F(DemoContent, EveryLevelFillsTheWholeViewFromEveryPlaceToStand) {
    for (const std::string& level : FilesEndingIn(".lvl")) {
        SCOPED_TRACE(level);
        ResetLevel();
        ASSERT_EQ(LoadLevel(level.c_str()), 1);
        int failures = 0;
        for (const Pose& pose : StandingPoses(300, 8.0, 22)) {
            const int undrawn = UndrawnPixels(pose);
            if (undrawn > 0 && ++failures <= 5) {
                ADD_FAILURE() << undrawn << " pixels undrawn from (" << pose.x << ", " << pose.z
                              << ") heading " << pose.heading << " horizon " << pose.horizon;
            }
        }
        EXPECT_EQ(failures, 0);
    }
    HorizonOffset = 0;
}

// Texels a world unit along the horizontal line from a to b over which `texels` are stretched.
double TexelsAUnit(int texels, const FixedVector& a, const FixedVector& b) {
    return texels / std::hypot((b.x - a.x) / 65536.0, (b.z - a.z) / 65536.0);
}

// The fewest texels a world unit across any wall, floor or ceiling of a cube, of the stretched
// ones; a tiled face (and a sloped floor) shows two.
double FewestTexelsAUnit(const Cube& cube) {
    double fewest = 1e9;
    for (int f = 0; f < CubeFaces; ++f) {
        const Bitmap* bitmap = TextureAt(cube.texture[f]);
        if (!bitmap || (cube.faceFlags[f] & 0x08) || (f == FloorSlot && cube.floorSloped)) continue;
        fewest = std::min(fewest, TexelsAUnit(bitmap->width, cube.texU[f], cube.texV[f]));
        if (f >= CubeSides)
            fewest = std::min(fewest, TexelsAUnit(bitmap->height, cube.texU[f], cube.texW[f]));
    }
    return fewest;
}

// The ids of the objects that a shipped script hands to the fixed frame sets with `command`
// (SwapDeco or SwapTexture): the first number after it.
std::set<int> SwappedIds(const std::string& command) {
    std::set<int> ids;
    for (const std::string& script : FilesEndingIn(".scp")) {
        const std::string text = ReadText(script);
        for (size_t at = text.find(Lower(command) + "("); at != std::string::npos;
             at = text.find(Lower(command) + "(", at + 1))
            ids.insert(std::atoi(text.c_str() + at + command.size() + 1));
    }
    return ids;
}

// The fewest texels a world unit over any frame that a decoration or a sprite can show: its own,
// and those of the fixed swap sets when it is swapped (by a script, or the lantern, sprite 4, by
// a click on object 11), each stretched once over the decoration's panel or the sprite's
// billboard.
double FewestTexelsAUnit(const MapObject& object) {
    const bool deco = object.type == DecoType;
    const FrameAnimation& animation = deco ? static_cast<const DecoObject&>(object).animation
                                           : static_cast<const Sprite2DObject&>(object).animation;
    std::vector<int> frames(animation.textures, animation.textures + animation.count);
    std::set<int> swapped = SwappedIds(deco ? "SwapDeco" : "SwapTexture");
    if (!deco && MapObjectTable[11]) swapped.insert(4);
    if (swapped.count(object.id))
        for (const AnimationSet& set : deco ? DecoSwapSets : SpriteSwapSets)
            for (int i = 0; i < set.frames; ++i) frames.push_back(set.first + i);
    double across = 0, up = 0;
    if (deco) {
        const auto& corners = static_cast<const DecoObject&>(object).corners;
        across = std::hypot((corners[1].x - corners[0].x) / 65536.0,
                            (corners[1].z - corners[0].z) / 65536.0);
        up = std::fabs((corners[2].y - corners[1].y) / 65536.0);
    } else {
        const auto& sprite = static_cast<const Sprite2DObject&>(object);
        across = sprite.width, up = sprite.height;
    }
    double fewest = 1e9;
    for (int frame : frames) {
        const Bitmap* bitmap = TextureAt(frame);
        if (!bitmap) continue;
        fewest = std::min({fewest, bitmap->width / across, bitmap->height / up});
    }
    return fewest;
}

// A player keeps 8 units from walls and door leaves, where the view (480 pixels at 480 pixels a
// unit of depth) spans 8 units: every wall, floor, ceiling and door leaf of the demo, and every
// decoration and sprite, whatever frame it shows, has at least two texels a unit, 16 across the
// view, so that it still looks like brick, stone, wood, tile or its own picture there.
TEST_F(DemoContent,
       EverySurfaceDecorationAndSpriteShowsAtLeastSixteenTexelsAcrossTheViewFromClose) {
    for (const std::string& level : FilesEndingIn(".lvl")) {
        SCOPED_TRACE(level);
        ResetLevel();
        ASSERT_EQ(LoadLevel(level.c_str()), 1);
        int objects = 0;
        for (int i = 0; i < CubeCount; ++i) {
            EXPECT_GE(FewestTexelsAUnit(*Cubes[i]), 2.0) << "cube " << i;
            for (ObjectListNode* node = Cubes[i]->objects; node; node = node->next) {
                const MapObject& object = *node->object;
                if (object.type == DecoType || object.type == Sprite2DType) {
                    ++objects;
                    EXPECT_GE(FewestTexelsAUnit(object), 2.0) << "object " << object.id;
                }
                if (object.type != DoorType) continue;
                const Cube& leaf = *static_cast<const DoorObject&>(object).leaf;
                for (int k = 0; k < CubeSides; ++k) {
                    const Bitmap* bitmap = TextureAt(leaf.texture[k]);
                    if (bitmap && !leaf.Degenerate(k)) {
                        EXPECT_GE(TexelsAUnit(bitmap->width, leaf.Bottom(k), leaf.Bottom(k + 1)),
                                  2.0)
                            << "door " << object.id << " side " << k;
                    }
                }
            }
        }
        EXPECT_GT(objects, 0);
    }
}

TEST(DemoFiles, EveryContentFileIsNamedByAScriptOrALevel) {
    std::string named;
    for (const char* extension : {".scp", ".lvl", ".cfg"})
        for (const std::string& name : FilesEndingIn(extension)) named += ReadText(name);
    for (const char* extension : {".lvl", ".cub", ".mot", ".ani", ".pth", ".cfg", ".map", ".wav"})
        for (const std::string& name : FilesEndingIn(extension))
            EXPECT_NE(named.find(Lower(name)), std::string::npos) << name << " is named nowhere";
}
