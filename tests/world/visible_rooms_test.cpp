#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/graphics_objects.h"
#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "render/bitmap.h"
#include "render/lighting.h"
#include "render/quad.h"
#include "render/view.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/cube_faces.h"
#include "world/free_level.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/texture_table.h"
#include "world/visible_rooms.h"

using namespace testworld;

namespace {

constexpr int WallTexture = 0;   // column-major, texels 100..115
constexpr int FloorTexture = 1;  // row-major, texels 120..135
constexpr int BlankTexture = 2;  // column-major, every texel 0
constexpr int PanelTexture = 3;  // column-major, every texel 200

Bitmap* Filled(uint16_t flags, int base, int spread) {
    Bitmap* b = NewBitmap(flags, 16, 16);
    for (int i = 0; i < 256; ++i) {
        b->Pixels()[i] = static_cast<uint8_t>(spread ? base + i % spread : base);
    }
    return b;
}

// Inward normals and texture frames of an upright box cube, every face textured; the faces
// that lead into other cubes are opened by OpenSide.
void Finish(Cube* c) {
    Fixed16 cx = 0, cz = 0;
    for (int k = 0; k < 4; ++k) {
        cx += c->Bottom(k).x / 4;
        cz += c->Bottom(k).z / 4;
    }
    for (int k = 0; k < CubeSides; ++k) {
        const FixedVector& a = c->Bottom(k);
        const FixedVector& b = c->Bottom(k + 1);
        const double dx = b.x - a.x, dz = b.z - a.z, len = std::sqrt(dx * dx + dz * dz);
        FixedVector n{Fx(dz / len), 0, Fx(-dx / len)};
        if (double(n.x) * (cx - a.x) + double(n.z) * (cz - a.z) < 0) {
            n = {-n.x, 0, -n.z};
        }
        c->normal[k] = n;
        c->texture[k] = WallTexture;
        c->texU[k] = c->Top(k);
        c->texV[k] = c->Top(k + 1);
        c->texW[k] = c->Bottom(k);
    }
    c->normal[CeilingSlot] = {0, -FixedOne, 0};
    c->normal[FloorSlot] = {0, FixedOne, 0};
    c->texture[CeilingSlot] = FloorTexture;
    c->texture[FloorSlot] = FloorTexture;
    c->texU[CeilingSlot] = c->Top(0);
    c->texV[CeilingSlot] = c->Top(1);
    c->texW[CeilingSlot] = c->Top(3);
    c->texU[FloorSlot] = c->Bottom(0);
    c->texV[FloorSlot] = c->Bottom(1);
    c->texW[FloorSlot] = c->Bottom(3);
}

// Links every cube, finds the exits and the rooms behind them, opens the sides that lead into
// another cube and makes the visible-room pool.
void LinkLevel() {
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->LinkNeighbours();
    }
    for (int i = 0; i < CubeCount; ++i) {
        for (int k = 0; k < CubeSides; ++k) {
            if (Cubes[i]->link[k]) {
                Cubes[i]->texture[k] = OpenFace;
            }
        }
    }
    for (int r = 0; r < RoomCount; ++r) {
        Rooms[r]->FindExits();
    }
    for (int r = 0; r < RoomCount; ++r) {
        Rooms[r]->LinkRooms();
    }
    BuildRoomNodes(RoomCount);
}

// A room of `cubes` boxes in a row along z from (x0, z0), each 10 by 10 and 10 high.
Room* BoxRoom(double x0, double z0, int cubes = 1) {
    Room* room = AddRoom();
    for (int i = 0; i < cubes; ++i) {
        Finish(AddBox(room, x0, z0 + 10 * i, x0 + 10, z0 + 10 * (i + 1)));
    }
    CloseRoom(room);
    return room;
}

// Records the order in which objects are drawn; draws nothing.
std::vector<int> DrawLog;
class LoggingObject : public MapObject {
public:
    int Draw() override {
        DrawLog.push_back(id);
        return 0;
    }
};

// An upright panel across the box at depth z, drawn as a textured quad.
class PanelObject : public MapObject {
public:
    int Draw() override {
        QuadRecord q{
            {{x0, y1, z}, {x1, y1, z}, {x1, y0, z}, {x0, y0, z}}, TextureAt(texture), 0, 0, 0, 128};
        return DrawTexturedQuad(&q);
    }
    Fixed16 x0 = 0, x1 = 0, y0 = 0, y1 = 0, z = 0;
    int texture = PanelTexture;
};

template <class T>
T* Place(Cube* cube, int id) {
    T* object = new T;
    object->id = id;
    object->cube = cube;
    object->centre = cube->centre;
    AppendObject(*cube, object);
    MapObjectTable[id] = object;
    return object;
}

class VisibleRooms : public ::testing::Test {
protected:
    void SetUp() override {
        InitShadeTable();
        TextureTable[WallTexture] = Filled(BitmapColumnMajor, 100, 16);
        TextureTable[FloorTexture] = Filled(0, 120, 16);
        TextureTable[BlankTexture] = Filled(BitmapColumnMajor, 0, 0);
        TextureTable[PanelTexture] = Filled(BitmapColumnMajor, 200, 0);
        TextureCount = 4;
        ShowFaces = 1;
        ShowObjects = 1;
        DrawLog.clear();
        surface = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 640, 480, 1);
        BackBuffer = surface;
    }
    void TearDown() override {
        BackBuffer = nullptr;
        surface->Release();
        FreeLevel();
        ShowFaces = 1;
        ShowObjects = 1;
    }

    void StandAt(double x, double z, Angle16 heading, Cube* cube, double eye = 5.0) {
        PlayerX = Fx(x);
        PlayerY = Fx(eye);
        PlayerZ = Fx(z);
        PlayerHeading = heading;
        HorizonOffset = 0;
        CurrentCube = cube;
    }

    // Binds the surface's view and camera as the frame does, without drawing.
    void BindView() {
        ASSERT_EQ(InitRenderViewport(surface, {0, 0, 479, 359}), 1);
        SetRenderCamera(PlayerX, PlayerY, PlayerZ, PlayerHeading, HorizonOffset, 256);
    }

    std::vector<Room*> ListedRooms() {
        std::vector<Room*> rooms;
        for (RoomNode* node = VisibleRoomHead; VisibleRoomCursor && node; node = node->next) {
            rooms.push_back(node->room);
            if (node == VisibleRoomCursor) {
                break;
            }
        }
        return rooms;
    }

    void Fill(uint8_t value) {
        for (uint32_t y = 0; y < surface->Height(); ++y) {
            std::fill_n(surface->Pixels() + y * surface->Pitch(), surface->Width(), value);
        }
    }

    uint8_t Pixel(int x, int y) { return surface->Pixels()[y * surface->Pitch() + x]; }

    // Picks the view pixel (x, y) as the left click does.
    PickRecord PickAt(int x, int y) {
        BindView();
        const RenderRect one{x, y, x + 1, y + 1};
        SetClipRect(&one);
        uint8_t* pixel = surface->Pixels() + y * surface->Pitch() + x;
        *pixel = 0;
        PickRecord pick{pixel, nullptr, nullptr, PickNone};
        BuildVisibleRoomList();
        FindPickedObject(pick);
        ClearRoomVisits();
        surface->Unlock();
        return pick;
    }

    platform::Surface* surface = nullptr;
};

}  // namespace

TEST_F(VisibleRooms, RoomsBehindExitsAreListedBreadthFirstWithNestedClipWindows) {
    Room* a = BoxRoom(0, 0);
    Room* b = BoxRoom(0, 10, 2);
    Room* c = BoxRoom(0, 30);
    LinkLevel();
    StandAt(5, 5, 0, Cubes[0]);
    BindView();
    ASSERT_TRUE(BuildVisibleRoomList());
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a, b, c}));
    // The player's room has the whole view; the exit into b is nearer than the view is wide,
    // so b keeps it; c is seen through an opening 10 wide and 10 high at depth 25.
    EXPECT_EQ((std::vector<int>(a->clip, a->clip + 4)), (std::vector<int>{0, 0, 479, 359}));
    EXPECT_EQ((std::vector<int>(b->clip, b->clip + 4)), (std::vector<int>{0, 0, 479, 359}));
    EXPECT_EQ((std::vector<int>(c->clip, c->clip + 4)), (std::vector<int>{144, 84, 336, 276}));
    ClearRoomVisits();
    surface->Unlock();
    for (int i = 0; i < CubeCount; ++i) {
        EXPECT_EQ(Cubes[i]->visited, 0);
    }
    EXPECT_EQ(a->visited + b->visited + c->visited, 0);

    // Looking back, only the player's room is seen.
    StandAt(5, 5, 0x8000, Cubes[0]);
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a}));
    ClearRoomVisits();
    surface->Unlock();
}

TEST_F(VisibleRooms, RoomsAndCubesAreDrawnFarthestFirstInsideTheirWindows) {
    // Room a holds two cubes along z, then rooms b and c follow.
    Room* a = AddRoom();
    Cube* a0 = AddBox(a, 0, 0, 10, 10);
    Cube* a1 = AddBox(a, 0, 10, 10, 20);
    Finish(a0);
    Finish(a1);
    CloseRoom(a);
    BoxRoom(0, 20, 2);
    BoxRoom(0, 40);
    LinkLevel();
    for (int i = 0; i < CubeCount; ++i) {
        Place<LoggingObject>(Cubes[i], i);
    }
    StandAt(5, 5, 0, a0);
    Fill(7);
    DrawWorld();
    EXPECT_EQ(DrawLog, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_FALSE(surface->IsLocked());

    // Nothing outside the view (the top-left 480 x 360 of the buffer) is written.
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (x >= 480 || y >= 360) {
                ASSERT_EQ(Pixel(x, y), 7) << x << ", " << y;
            }
        }
    }
    // Each room drawn alone inside its window writes nothing outside it.
    BindView();
    BuildVisibleRoomList();
    for (Room* room : ListedRooms()) {
        Fill(7);
        const RenderRect clip{room->clip[0], room->clip[1], room->clip[2], room->clip[3]};
        SetClipRect(&clip);
        DrawRoom(*room);
        int inside = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const bool in =
                    x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom;
                if (!in) {
                    ASSERT_EQ(Pixel(x, y), 7) << x << ", " << y;
                }
                inside += in && Pixel(x, y) != 7;
            }
        }
        EXPECT_GT(inside, 0);
    }
    ClearRoomVisits();
    surface->Unlock();
}

TEST_F(VisibleRooms, ARoomIsJudgedOnlyThroughTheFirstExitThatReachesIt) {
    // Room a (two cubes side by side) leads through both cubes into room b.
    Room* a = AddRoom();
    Cube* a0 = AddBox(a, 0, 0, 10, 10);
    Cube* a1 = AddBox(a, 10, 0, 20, 10);
    Finish(a0);
    Finish(a1);
    CloseRoom(a);
    Room* b = AddRoom();
    Finish(AddBox(b, 0, 10, 10, 20));
    Finish(AddBox(b, 10, 10, 20, 20));
    CloseRoom(b);
    LinkLevel();
    ASSERT_EQ(a->exitCount, 2);
    ASSERT_EQ(a->exitCube[0], a0);

    // From a1 looking along +z the first exit (a0's) lies outside the view: b is hidden,
    // although the second exit straight ahead would show it.
    StandAt(17, 5, 0, a1);
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a}));
    EXPECT_EQ(b->clip[1], HiddenClipTop);
    ClearRoomVisits();
    surface->Unlock();

    // From a0 the first exit is ahead and b is listed with its cubes walked from the cube across.
    StandAt(5, 5, 0, a0);
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a, b}));
    EXPECT_EQ(b->cubeNodesHead->cube, Cubes[2]);
    EXPECT_EQ(b->cubeNodesCursor->cube, Cubes[3]);
    ClearRoomVisits();
    surface->Unlock();
}

TEST_F(VisibleRooms, WalkSurvivesMissingRoomsMissingCubesAndForeignCubes) {
    Room* a = BoxRoom(0, 0);
    Room* b = BoxRoom(0, 10);
    Room* c = BoxRoom(20, 0);
    LinkLevel();
    Cube* a0 = Cubes[0];
    // The exit's room is lost, the exit cube's ceiling is open with no cube above it, and a
    // cube of another room stands on top of a0: a0's one-node list must take none of it.
    a->exitRoom[0] = nullptr;
    a0->texture[CeilingSlot] = OpenFace;
    a0->link[CeilingSlot] = Cubes[2];
    StandAt(5, 5, 0, a0);
    BindView();
    ASSERT_TRUE(BuildVisibleRoomList());
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a}));
    EXPECT_EQ(a->cubeNodesCursor, a->cubeNodesHead);
    EXPECT_EQ(Cubes[2]->visited, 0);
    ClearRoomVisits();
    surface->Unlock();

    // With the room restored, the opening through the open ceiling stops at a0's own top.
    a->exitRoom[0] = b;
    a0->link[CeilingSlot] = nullptr;
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(ListedRooms(), (std::vector<Room*>{a, b}));
    ClearRoomVisits();
    surface->Unlock();
    (void)c;
}

TEST_F(VisibleRooms, AnOpeningUnderAnOpenCeilingReachesTheClosedCeilingAbove) {
    // Room a: two cubes along z; the second has an open ceiling with a floorless cube on it
    // reaching up to 20. Room b lies beyond z = 20.
    Room* a = AddRoom();
    Cube* a0 = AddBox(a, 0, 0, 10, 10);
    Cube* a1 = AddBox(a, 0, 10, 10, 20);
    Cube* up = AddBox(a, 0, 10, 10, 20, 10, false);
    for (Cube* c : {a0, a1, up}) {
        Finish(c);
    }
    up->texture[FloorSlot] = OpenFace;
    CloseRoom(a);
    Room* b = BoxRoom(0, 20);
    a1->link[CeilingSlot] = up;
    up->link[FloorSlot] = a1;
    LinkLevel();
    StandAt(5, 2, 0, a0);

    // Closed, the opening at depth 18 spans the heights 0 to 10: 133 rows above and below
    // the centre; open, it reaches 20, above the top of the view.
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(b->clip[1], 180 - 133);
    ClearRoomVisits();
    surface->Unlock();
    a1->texture[CeilingSlot] = OpenFace;
    BindView();
    BuildVisibleRoomList();
    EXPECT_EQ(b->clip[1], 0);
    EXPECT_EQ(b->clip[3], 180 + 133);
    ClearRoomVisits();
    surface->Unlock();
}

TEST_F(VisibleRooms, NoLevelOrNoPlayerCubeDrawsAndPicksNothing) {
    StandAt(5, 5, 0, nullptr);
    Fill(7);
    DrawWorld();
    EXPECT_EQ(Pixel(240, 180), 7);
    EXPECT_FALSE(surface->IsLocked());

    BoxRoom(0, 0);
    LinkLevel();
    DrawWorld();
    EXPECT_EQ(Pixel(240, 180), 7);
    EXPECT_FALSE(BuildVisibleRoomList());
    PickRecord pick = PickAt(240, 180);
    EXPECT_EQ(pick.kind, PickNone);

    StandAt(5, 5, 0, Cubes[0]);
    DrawWorld();
    EXPECT_NE(Pixel(240, 180), 7);
}

TEST_F(VisibleRooms, FloorShapeChoosesCornerOrderAndFlags) {
    Room* room = AddRoom();
    struct Case {
        double y0, y1, y2, y3;
        bool drawn;
        int first;
        int flags;
    };
    const Case cases[] =
        {
            {0, 0, 0, 0, true, 0, 0x10},  // level: the floor's own flags
            {0, 0, -1, -1, true, 0, 0x28}, {-1, 0, 0, -1, true, 1, 0x28},
            {0, -1, -1, 0, true, 3, 0x28}, {0, 0, 1, 1, true, 2, 0x28},
            {0, 1, 0, 0, false, 0, 0},  // rises to corner 1 and falls again to corner 2
        };
    for (const Case& k : cases) {
        Cube* cube = AddCube(room, {{0, 0, k.y0}, {0, 10, k.y1}, {10, 10, k.y2}, {10, 0, k.y3}});
        cube->faceFlags[FloorSlot] = 0x10;
        FloorShapeResult shape{};
        EXPECT_EQ(FloorShape(*cube, shape), k.drawn) << k.y0 << " " << k.y1 << " " << k.y2;
        if (k.drawn) {
            EXPECT_EQ(shape.first, k.first) << k.y0 << " " << k.y1 << " " << k.y2;
            EXPECT_EQ(shape.flags, k.flags) << k.y0 << " " << k.y1 << " " << k.y2;
        }
    }
    CloseRoom(room);
}

TEST_F(VisibleRooms, PickingReportsObjectsAndFacesAndTexelZeroIsNoHit) {
    // A room 30 long along z: from z = 2 the floor and ceiling of the middle cube show at the
    // bottom and top of the view, the far cube's end wall at the centre.
    BoxRoom(0, 0, 3);
    LinkLevel();
    Cube* near = Cubes[0];
    PanelObject* panel = Place<PanelObject>(near, 42);
    panel->x0 = Fx(4);
    panel->x1 = Fx(6);
    panel->y0 = Fx(4);
    panel->y1 = Fx(6);
    panel->z = Fx(7);
    StandAt(5, 2, 0, near);

    // Kinds: 1 a map object, 2 a ceiling, 3 a floor, 4 + k side k.
    PickRecord pick = PickAt(240, 180);
    EXPECT_EQ(pick.kind, 1);
    ASSERT_NE(pick.object, nullptr);
    EXPECT_EQ(pick.object->id, 42);
    EXPECT_EQ(pick.cube, near);
    pick = PickAt(470, 180);
    EXPECT_EQ(pick.kind, 4 + 2);
    EXPECT_EQ(pick.cube, Cubes[1]);
    pick = PickAt(10, 180);
    EXPECT_EQ(pick.kind, 4 + 0);
    EXPECT_EQ(pick.cube, Cubes[1]);
    pick = PickAt(240, 355);
    EXPECT_EQ(pick.kind, 3);
    EXPECT_EQ(pick.cube, Cubes[1]);
    EXPECT_EQ(pick.object, nullptr);
    pick = PickAt(240, 5);
    EXPECT_EQ(pick.kind, 2);
    EXPECT_EQ(pick.cube, Cubes[1]);

    // A panel of texel 0 covers nothing, and the show switches do not keep faces out of a pick.
    panel->texture = BlankTexture;
    ShowFaces = 0;
    ShowObjects = 0;
    pick = PickAt(240, 180);
    EXPECT_EQ(pick.kind, 4 + 1);
    EXPECT_EQ(pick.cube, Cubes[2]);
    EXPECT_EQ(pick.object, nullptr);
}

TEST_F(VisibleRooms, ShowSwitchesKeepFacesOrObjectsOut) {
    BoxRoom(0, 0);
    LinkLevel();
    Cube* cube = Cubes[0];
    PanelObject* panel = Place<PanelObject>(cube, 5);
    panel->x0 = Fx(4);
    panel->x1 = Fx(6);
    panel->y0 = Fx(4);
    panel->y1 = Fx(6);
    panel->z = Fx(7);
    StandAt(5, 2, 0, cube);

    Fill(7);
    DrawWorld();
    EXPECT_EQ(Pixel(240, 180), 200);
    EXPECT_GE(Pixel(470, 180), 100);
    EXPECT_LT(Pixel(470, 180), 116);

    ShowFaces = 0;
    Fill(7);
    DrawWorld();
    EXPECT_EQ(Pixel(240, 180), 200);
    EXPECT_EQ(Pixel(470, 180), 7);

    ShowFaces = 1;
    ShowObjects = 0;
    Fill(7);
    DrawWorld();
    EXPECT_NE(Pixel(240, 180), 200);
    EXPECT_NE(Pixel(240, 180), 7);
}
