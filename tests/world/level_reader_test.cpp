#include <gtest/gtest.h>

#include "base/report_error.h"
#include "platform/message_box.h"
#include "platform/rm_frame.h"
#include "render/bitmap.h"
#include "support/fixed_units.h"
#include "support/test_level.h"
#include "world/char3d_object.h"
#include "world/cube.h"
#include "world/cube_reader.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/free_level.h"
#include "world/level_reader.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/sprite2d_object.h"
#include "world/texture_table.h"

using namespace testworld;

namespace {

using support::Fx;

class LevelFiles : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        ResetErrorState();
        folder = std::make_unique<TestLevelFolder>();
    }
    void TearDown() override {
        folder.reset();
        ResetErrorState();
        WorldScale = 1.0f;
    }

    // Loads the level and expects it to fail with exactly one report of the message.
    void ExpectFailure(const std::string& message) {
        EXPECT_EQ(LoadLevel("cubeworld.lvl"), 0);
        ASSERT_FALSE(platform::RecordedBoxes().empty());
        EXPECT_EQ(platform::RecordedBoxes().back().text, "D3D: " + message + "\r\n");
        EXPECT_EQ(platform::RecordedBoxes().back().caption, "Msg");
        EXPECT_TRUE(QuitRequested);
        FreeLevel();
        EXPECT_EQ(CubeCount, 0);
        EXPECT_EQ(RoomCount, 0);
        EXPECT_EQ(TextureCount, 0);
    }

    std::unique_ptr<TestLevelFolder> folder;
};

}  // namespace

TEST_F(LevelFiles, LoadsRoomsCubesAndTexturesWithEachFilesBases) {
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(RoomCount, 3);
    EXPECT_EQ(CubeCount, 7);
    EXPECT_EQ(VertexCount, 12 + 20 + 24);
    EXPECT_EQ(TextureCount, 4 + 5 + 2);
    EXPECT_EQ(Rooms[1]->firstCube, 2);
    EXPECT_EQ(Rooms[1]->cubeCount, 2);
    EXPECT_EQ(Rooms[2]->firstCube, 4);

    // Second file: vertex index 0 is its first vertex, texture 0 its first texture.
    const Cube* b0 = Cubes[2];
    EXPECT_EQ(b0->bottom[0], 12);
    EXPECT_EQ(b0->texture[FloorSlot], 4 + 1);
    EXPECT_EQ(b0->texture[1], 4);
    // A CONNECTION value 0 names the file's own first cube.
    EXPECT_EQ(b0->link[CeilingSlot], Cubes[3]);
    EXPECT_EQ(Cubes[3]->link[FloorSlot], b0);

    // Textures are cut from the sheet: walls column by column.
    const Bitmap* wall = TextureTable[0];
    EXPECT_EQ(wall->flags, BitmapColumnMajor);
    EXPECT_EQ(wall->width, 32);
    EXPECT_EQ(wall->height, 32);
    EXPECT_EQ(wall->Pixels()[1], 32 + 1);             // texel (0, 1)
    EXPECT_EQ(TextureTable[1]->Pixels()[1], 64 + 1);  // floor texel (1, 0)
    EXPECT_EQ(TextureTable[7]->flags, BitmapTransparent);
}

TEST_F(LevelFiles, FaceOrderNormalsVectorsAndFlags) {
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    const Cube* a0 = Cubes[0];
    // File entries list side 2, side 1, side 0, side 3, floor, ceiling; normals are negated.
    EXPECT_EQ(a0->normal[2].x, -65536);
    EXPECT_EQ(a0->normal[0].x, 65536);
    EXPECT_EQ(a0->normal[FloorSlot].y, 65536);
    EXPECT_EQ(a0->normal[CeilingSlot].y, -65536);
    EXPECT_EQ(a0->texture[1], OpenFace);
    EXPECT_EQ(a0->texture[2], OpenFace);
    EXPECT_EQ(a0->texture[3], 0);
    EXPECT_EQ(a0->texU[0].y, Fx(80));
    EXPECT_EQ(a0->texV[0].z, Fx(100));
    EXPECT_EQ(a0->texW[0].y, 0);
    EXPECT_EQ(a0->faceFlags[3], 0);
    // FLAGS fill the slots in file order, over what the textures set.
    const Cube* a1 = Cubes[1];
    const int16_t flags[6] = {1, 0, 8, 0, 40, 0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(a1->faceFlags[i], flags[i]) << i;
    }
    EXPECT_EQ(a0->centre.x, Fx(50));
    EXPECT_EQ(a0->floorSloped, 0);
}

TEST_F(LevelFiles, NeighboursExitsFloorClassesAndThePlayer) {
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    Cube *a0 = Cubes[0], *a1 = Cubes[1], *b0 = Cubes[2], *b1 = Cubes[3];
    Cube *c0 = Cubes[4], *c1 = Cubes[5], *c2 = Cubes[6];
    EXPECT_EQ(a0->link[2], a1);
    EXPECT_EQ(a0->link[1], c0);
    EXPECT_EQ(a1->link[2], b0);
    EXPECT_EQ(b0->link[0], a1);
    EXPECT_EQ(a1->link[2], b0);  // b1 above b0 has the same outline but no floor
    EXPECT_EQ(b1->link[0], a1);  // floorless cubes still find their neighbours
    EXPECT_EQ(c0->link[1], c1);
    EXPECT_EQ(c2->link[3], c1);

    Room *ra = Rooms[0], *rb = Rooms[1], *rc = Rooms[2];
    ASSERT_EQ(ra->exitCount, 2);
    EXPECT_EQ(ra->exitCube[0], a0);
    EXPECT_EQ(ra->exitSide[0], 1);
    EXPECT_EQ(ra->exitRoom[0], rc);
    EXPECT_EQ(ra->exitCube[1], a1);
    EXPECT_EQ(ra->exitSide[1], 2);
    EXPECT_EQ(ra->exitRoom[1], rb);
    ASSERT_EQ(rb->exitCount, 1);
    EXPECT_EQ(rb->exitRoom[0], ra);
    ASSERT_EQ(rc->exitCount, 1);
    EXPECT_EQ(rc->exitCube[0], c0);
    EXPECT_EQ(rc->exitRoom[0], ra);

    EXPECT_EQ(a0->floorClass, 0);
    EXPECT_EQ(c0->floorClass, 1);
    EXPECT_EQ(c1->floorClass, 0);
    EXPECT_EQ(c2->floorClass, 2);
    // The ramp was loaded with a sloped side 0 and turned: its old corner 1 leads.
    EXPECT_EQ(c1->bottom[0], 32 + 9);
    EXPECT_EQ(c1->floorSloped, 1);
    EXPECT_EQ(c1->Bottom(0).y, c1->Bottom(1).y);

    EXPECT_EQ(CurrentCube, a0);
    EXPECT_EQ(PlayerX, Fx(50));
    EXPECT_EQ(PlayerZ, Fx(30));
    EXPECT_EQ(EyeHeight, Fx(40));
    EXPECT_EQ(PlayerY, Fx(40));
    EXPECT_EQ(PlayerHeading, 0);
    int nodes = 0;
    for (RoomNode* n = VisibleRoomHead; n; n = n->next) {
        ++nodes;
    }
    EXPECT_EQ(nodes, 3);
}

TEST_F(LevelFiles, MapObjectsOfTheCubeFiles) {
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    auto* deco = dynamic_cast<DecoObject*>(MapObjectTable[12]);
    ASSERT_NE(deco, nullptr);
    EXPECT_EQ(deco->cube, Cubes[0]);
    EXPECT_EQ(deco->corners[2].x, Fx(60));
    EXPECT_EQ(deco->corners[2].y, Fx(50));
    EXPECT_EQ(deco->animation.count, 2);
    EXPECT_EQ(deco->animation.textures[1], 3);
    EXPECT_EQ(deco->normal.z != 0, true);

    auto* door = dynamic_cast<DoorObject*>(MapObjectTable[7]);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->type, DoorType);
    EXPECT_EQ(door->cube, Cubes[2]);
    EXPECT_EQ(door->extent, Fx(64));
    EXPECT_EQ(door->step, Fx(4));
    EXPECT_EQ(door->travelled, 0);  // loaded at rest
    EXPECT_EQ(door->leaf->bottom[0], 12 + 12);
    EXPECT_EQ(door->leaf->texture[0], OpenFace);  // a door's -1 stays open
    EXPECT_EQ(door->leaf->texture[2], 4 + 2);
    EXPECT_EQ(door->centre.x, Fx(245));
    EXPECT_EQ(door->centre.y, Fx(40));
    EXPECT_EQ(door->leaf->normal[CeilingSlot].y, 65536);  // a leaf's normals point out

    auto* sprite = dynamic_cast<Sprite2DObject*>(MapObjectTable[21]);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->width, 20);
    EXPECT_EQ(sprite->height, 30);
    EXPECT_EQ(sprite->animation.textures[0], 4 + 3);
    EXPECT_EQ(sprite->animation.current, 1);
    EXPECT_EQ(sprite->animation.CurrentBitmap(), TextureTable[8]);

    // A frame of the world: the sprite advances, the door steps, the list is sorted.
    UpdateDoor(7, 1, 1.0f);
    UpdateWorld();
    EXPECT_EQ(sprite->animation.current, 0);
    EXPECT_EQ(door->travelled, Fx(8));
}

// A character made where no cube stands is reported and thrown away: it holds no slot that a
// cube file's object could later take over, so nothing is left without an owner.
TEST_F(LevelFiles, ACharacterThatCannotBePlacedLeavesNothingInTheTable) {
    platform::RmFrame* frame = platform::RmFrame::Create(nullptr);
    ObjectCount = 7;  // the id of the level's door
    Char3DObject* character = nullptr;
    EXPECT_EQ(CreateChar3DObject(frame, &character), 0);  // no level yet: outside the map
    EXPECT_EQ(character, nullptr);
    EXPECT_EQ(MapObjectTable[7], nullptr);
    EXPECT_EQ(ObjectCount, 8);  // its id is used up all the same
    QuitRequested = false;
    platform::ClearRecordedBoxes();
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    EXPECT_EQ(MapObjectTable[7]->type, DoorType);
    frame->Release();
}

TEST_F(LevelFiles, KeywordsMatchInAnyCaseButObjectEntriesMustBeKnown) {
    ASSERT_TRUE(folder->Damage("room_a.cub", "OBJECTS {\n    DECO", "objects {\n    deco"));
    ASSERT_TRUE(folder->Damage("room_c.cub", "CUBE {", "cUbE {"));
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    EXPECT_NE(MapObjectTable[12], nullptr);
    FreeLevel();
    platform::ClearRecordedBoxes();
    ASSERT_TRUE(folder->Damage("room_b.cub", "SPRITE2D {", "CUBE {"));
    ExpectFailure("Syntex error in objects!");
}

TEST_F(LevelFiles, EachDamagedBlockReportsItsOwnMessage) {
    struct Damage {
        const char* file;
        const char* from;
        const char* to;
        const char* message;
    };
    const Damage damages[] = {
        {"room_a.cub", "// Room A", "WALLS", "Syntex error!"},
        {"room_a.cub", "  100 0 0\n", "  100 0\n", "Syntex error!"},
        {"room_a.cub", "cubeworld.bmp 96 0 16 16 1", "cubeworld.bmp 96 0 16", "Syntex error!"},
        {"room_a.cub", "cubeworld.bmp 96 0 16 16 1", "cubeworld.bmp 250 0 16 16 1",
         "Syntex error!"},
        {"room_a.cub", "cubeworld.bmp 96 0 16 16 1", "cubeworld.bmp 96 0 16 16 4", "Syntex error!"},
        {"room_a.cub", "  NORMALS {", "  NORMAL {", "Syntex error in cubes!"},
        {"room_a.cub", "VERTICES { 0 1 2 3 4 5 6 7 }", "VERTICES { 0 1 2 3 4 5 6 12 }",
         "Syntex error in cubes!"},
        {"room_a.cub", "  CONNECTION {", "  CONNECTIONS {", "Syntex error in cubes!"},
        {"room_a.cub", "    -1\n", "    299\n", "Syntex error in cubes!"},
        // The floor's and the ceiling's connections must name a cube or be -1.
        {"room_a.cub", "CONNECTION { -1 -1 -1 -1 -1 -1 }", "CONNECTION { -1 -1 -1 -1 999 -1 }",
         "Syntex error in cubes!"},
        {"room_a.cub", "CONNECTION { -1 -1 -1 -1 -1 -1 }", "CONNECTION { -1 -1 -1 -1 -1 -2 }",
         "Syntex error in cubes!"},
        {"room_a.cub", "FLAGS { 1 0 8 0 40 0 }", "FLAGS { 1 0 8 0 40 0 ]",
         "Syntex error in Flags!"},
        {"room_a.cub", "DECO { 12", "DECO { 100", "Syntex error in cubes!"},
        {"room_a.cub", "0 5 0 2 2 3 }", "0 5 0 101 2 3 }", "Syntex error in cubes!"},
        {"room_a.cub", "DECO {", "CHAR3D { 50 0 50 x ] DECO {", "Syntex error in CHAR3D!"},
        {"room_b.cub", "DOOR { 7", "DOOR { 100", "Syntex error in DOOR!"},
        {"room_b.cub", "PARAMETERS {", "PARAMS {", "Syntex error in DOOR!"},
        {"room_b.cub", "VERTICES { 12", "VERTICES ( 12", "Syntex error in cubes!"},
        {"room_b.cub", "2 2 -1 2 2 2 }", "2 2 -1 2 2 2 ]", "Syntex error in textures in DOOR!"},
        {"room_b.cub", "2 2 -1 2 2 2 } }", "2 2 -1 2 2 2 } ]", "Syntex error in DOOR!"},
        {"room_b.cub", "SPRITE2D { 21", "SPRITE2D { -3", "Syntex error in cubes!"},
        {"room_b.cub", "  250 0 50 10 10 0 0 0 2 0 1\n}", "  250 0 50 10 10 0 0 0 2 0 1 ]",
         "Syntex error in cubes!"},
        {"room_c.cub", "  0 -71.7 100\n", "  0 -71.7\n", "Syntex error!"},
        // Numbers that are not finite, or whose Fixed16, float or 16-bit size would not fit.
        {"room_a.cub", "(0 80 0) (0 80 100) (0 0 0)", "(0 80 0) (0 inf 100) (0 0 0)",
         "Syntex error in cubes!"},
        {"room_a.cub", "DECO { 12 20", "DECO { 12 -99999", "Syntex error in cubes!"},
        {"room_a.cub", "DECO {", "CHAR3D { 50 nan 50 x } DECO {", "Syntex error in CHAR3D!"},
        {"room_b.cub", "0 1 64 10 4 1 0 0 }", "0 1 64 10 4 1 1e39 0 }", "Syntex error in DOOR!"},
        {"room_b.cub", "0 1 64 10 4 1 0 0 }", "0 1 1e300 10 4 1 0 0 }", "Syntex error in DOOR!"},
        {"room_b.cub", "0 1 64 10 4 1 0 0 }", "0 1 64 nan 4 1 0 0 }", "Syntex error in DOOR!"},
        {"room_b.cub", "0 1 64 10 4 1 0 0 }", "0 1 64 10 -1e10 1 0 0 }", "Syntex error in DOOR!"},
        {"room_b.cub", "0 1 64 10 4 1 0 0 }", "0 1 64 10 4 1 nan 0 }", "Syntex error in DOOR!"},
        {"room_b.cub", "SPRITE2D { 21 270 0 50 20 30", "SPRITE2D { 21 270 0 50 40000 30",
         "Syntex error in cubes!"},
        {"cubeworld.lvl", "room_c.cub", "room_x.cub", "Open file room_x.cub failed!"},
        {"cubeworld.lvl", "1.0 50.0 40.0 30.0 0", "1.0 5000.0 40.0 30.0 0",
         "Initial position of player is outside!"},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(std::string(d.file) + ": " + d.to);
        folder.reset();
        folder = std::make_unique<TestLevelFolder>();
        platform::ClearRecordedBoxes();
        QuitRequested = false;
        ASSERT_TRUE(folder->Damage(d.file, d.from, d.to));
        ExpectFailure(d.message);
    }
}

// The side connections are replaced by the neighbours the linking finds, whatever the file says.
TEST_F(LevelFiles, SideConnectionsAreReadWhateverTheyHold) {
    ASSERT_TRUE(folder->Damage("room_a.cub", "CONNECTION { -1 -1 -1 -1 -1 -1 }",
                               "CONNECTION { 999 -2 -1 70000 -1 -1 }"));
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(Cubes[0]->link[2], Cubes[1]);
    EXPECT_EQ(Cubes[0]->link[1], Cubes[4]);
    EXPECT_EQ(Cubes[0]->link[0], nullptr);
    EXPECT_EQ(Cubes[0]->link[3], nullptr);
    EXPECT_EQ(Cubes[0]->link[FloorSlot], nullptr);
}

TEST_F(LevelFiles, MissingFilesAndEmptyLevels) {
    EXPECT_EQ(LoadLevel("nowhere.lvl"), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "D3D: Open level file failed!\r\n");

    // Comment lines only: the start stays, and the level is named as holding no cube.
    ASSERT_TRUE(folder->Damage("cubeworld.lvl", "1.0 50.0", "// 1.0 50.0"));
    ASSERT_TRUE(folder->Damage("cubeworld.lvl", "room_a", "/room_a"));
    ASSERT_TRUE(folder->Damage("cubeworld.lvl", "ROOM_B", "/ROOM_B"));
    ASSERT_TRUE(folder->Damage("cubeworld.lvl", "room_c", "/room_c"));
    PlayerX = Fx(350);
    WorldScale = 1.0f;
    ExpectFailure("Level file cubeworld.lvl holds no cube!");
    EXPECT_EQ(PlayerX, Fx(350));

    // A texture sheet that is not there: the sheet loader's own box, and the load fails.
    folder.reset();
    folder = std::make_unique<TestLevelFolder>();
    platform::ClearRecordedBoxes();
    ASSERT_TRUE(folder->Damage("room_c.cub", "cubeworld.bmp 0 0", "missing.bmp 0 0"));
    EXPECT_EQ(LoadLevel("cubeworld.lvl"), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Open missing.bmp failed.");
    EXPECT_EQ(platform::RecordedBoxes().back().caption, "ERROR");
    EXPECT_TRUE(QuitRequested);
}

TEST_F(LevelFiles, LastLinesWithoutLineFeedsAreRead) {
    // The folder is the working directory: drop the last line feed of the level and of a cube file.
    for (const char* name : {"cubeworld.lvl", "room_c.cub"}) {
        std::ifstream in(name);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_EQ(text.back(), '\n');
        text.pop_back();
        std::ofstream(name, std::ios::trunc) << text;
    }
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(RoomCount, 3);
    EXPECT_EQ(CubeCount, 7);
}

TEST_F(LevelFiles, CubeFileOfVerticesOnlyAddsAnEmptyRoom) {
    std::ofstream("only.cub") << "VERTICES {\n1 2 3\n\n4 5 6\n}\n";
    EXPECT_EQ(LoadCubeFile("only.cub"), 1);
    EXPECT_EQ(RoomCount, 1);
    EXPECT_EQ(Rooms[0]->cubeCount, 0);
    EXPECT_NE(Rooms[0]->cubeNodesHead, nullptr);
    EXPECT_EQ(VertexCount, 2);
    EXPECT_EQ(Vertices[1].y, Fx(5));
}
