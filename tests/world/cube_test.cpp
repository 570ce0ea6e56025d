#include <gtest/gtest.h>

#include "base/report_error.h"
#include "platform/message_box.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/free_level.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/reset.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/sprite2d_object.h"
#include "world/texture_table.h"

using namespace testworld;

namespace {

class CubeWorld : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        QuitRequested = false;
    }
    void TearDown() override {
        ResetWorld();
        ResetErrorState();
    }
};

void LinkAll() {
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->LinkNeighbours();
    }
}

}  // namespace

TEST_F(CubeWorld, PointsInsideOnEdgesAndOutside) {
    Room* room = AddRoom();
    Cube* a = AddBox(room, 0, 0, 10, 10);
    Cube* b = AddBox(room, 10, 0, 20, 10);
    CloseRoom(room);
    EXPECT_TRUE(a->Contains(Fx(5), Fx(5)));
    EXPECT_TRUE(a->Contains(Fx(0), Fx(10)));  // a corner is inside
    EXPECT_FALSE(a->Contains(Fx(10.01), Fx(5)));
    EXPECT_FALSE(a->Contains(Fx(5), Fx(-0.01)));
    // A point on the shared edge belongs to the cube searched first.
    EXPECT_EQ(FindCubeAt(Fx(10), Fx(5)), a);
    EXPECT_EQ(FindCubeAt(Fx(15), Fx(5)), b);
    EXPECT_EQ(FindCubeAt(Fx(25), Fx(5)), nullptr);
    EXPECT_EQ(EdgeSide(Fx(-1), Fx(5), a->Bottom(0), a->Bottom(1)), 1);
    EXPECT_EQ(EdgeSide(Fx(0), Fx(5), a->Bottom(0), a->Bottom(1)), 0);
    EXPECT_EQ(EdgeSide(Fx(1), Fx(5), a->Bottom(0), a->Bottom(1)), -1);
}

TEST_F(CubeWorld, TriangleFloorIgnoresItsDegenerateSide) {
    Room* room = AddRoom();
    Cube* t = AddCube(room, {{0, 0, 0}, {0, 10, 0}, {10, 0, 0}, {10, 0, 0}});
    t->bottom[3] = t->bottom[2];
    CloseRoom(room);
    EXPECT_TRUE(t->Degenerate(2));
    EXPECT_TRUE(t->Contains(Fx(2), Fx(2)));
    EXPECT_FALSE(t->Contains(Fx(8), Fx(8)));
}

TEST_F(CubeWorld, NeighboursMatchFloorOutlinesWhateverTheirHeights) {
    Room* room = AddRoom();
    Cube* a = AddBox(room, 0, 0, 10, 10, 0.0);
    Cube* b = AddBox(room, 10, 0, 20, 10, 5.0);            // a step up: still a neighbour
    Cube* open = AddBox(room, 0, 10, 10, 20, 0.0, false);  // no floor: nobody's neighbour
    Cube* upper = AddBox(room, 0, -10, 10, 0, 10.0);       // stands on a floored cube
    Cube* base = AddBox(room, 0, -10, 10, 0, 0.0);
    upper->link[FloorSlot] = base;
    CloseRoom(room);
    LinkAll();
    EXPECT_EQ(a->link[2], b);
    EXPECT_EQ(b->link[0], a);
    EXPECT_EQ(a->link[1], nullptr);
    EXPECT_EQ(open->link[3], a);  // an open-floored cube still finds its neighbours
    EXPECT_EQ(a->link[3], base);
    EXPECT_EQ(base->link[1], a);
}

TEST_F(CubeWorld, FloorLinkLoopsDoNotHangTheNeighbourSearch) {
    Room* room = AddRoom();
    Cube* a = AddBox(room, 0, 0, 10, 10);
    Cube* b = AddBox(room, 10, 0, 20, 10);
    Cube* x = AddBox(room, 50, 50, 60, 60, 0.0, false);
    Cube* y = AddBox(room, 70, 70, 80, 80, 0.0, false);
    b->link[FloorSlot] = x;
    x->link[FloorSlot] = y;
    y->link[FloorSlot] = x;
    CloseRoom(room);
    LinkAll();
    EXPECT_EQ(a->link[2], b);
}

TEST_F(CubeWorld, ExitsAndTheRoomsBehindThem) {
    Room* r1 = AddRoom();
    Cube* a = AddBox(r1, 0, 0, 10, 10);
    CloseRoom(r1);
    Room* r2 = AddRoom();
    Cube* b = AddBox(r2, 10, 0, 20, 10);
    CloseRoom(r2);
    Room* r3 = AddRoom();
    Cube* c = AddBox(r3, 0, 10, 10, 20);
    c->link[FloorSlot] = AddBox(r3, 100, 100, 110, 110, 0.0, false);  // c is not searched for exits
    CloseRoom(r3);
    LinkAll();
    for (int i = 0; i < RoomCount; ++i) {
        ASSERT_TRUE(Rooms[i]->FindExits());
    }
    for (int i = 0; i < RoomCount; ++i) {
        Rooms[i]->LinkRooms();
    }
    ASSERT_EQ(r1->exitCount, 2);
    EXPECT_EQ(r1->exitCube[0], a);
    EXPECT_EQ(r1->exitSide[0], 1);
    // r3 records no exit back into r1, but r2's exit cube borders a: the first such room wins.
    EXPECT_EQ(r1->exitRoom[0], r2);
    EXPECT_EQ(r1->exitSide[1], 2);
    EXPECT_EQ(r1->exitRoom[1], r2);
    ASSERT_EQ(r2->exitCount, 1);
    EXPECT_EQ(r2->exitCube[0], b);
    EXPECT_EQ(r2->exitRoom[0], r1);
    EXPECT_EQ(r3->exitCount, 0);
}

TEST_F(CubeWorld, ExitWithoutAMatchingExitBehindItHasNoRoom) {
    Room* r1 = AddRoom();
    AddBox(r1, 0, 0, 10, 10);
    CloseRoom(r1);
    Room* r3 = AddRoom();
    Cube* c = AddBox(r3, 0, 10, 10, 20);
    c->link[FloorSlot] = AddBox(r3, 100, 100, 110, 110, 0.0, false);
    CloseRoom(r3);
    LinkAll();
    ASSERT_TRUE(r1->FindExits());
    ASSERT_TRUE(r3->FindExits());
    r1->LinkRooms();
    ASSERT_EQ(r1->exitCount, 1);
    EXPECT_EQ(r1->exitRoom[0], nullptr);
}

TEST_F(CubeWorld, FifthExitIsReportedAndEndsTheGame) {
    Room* hub = AddRoom();
    AddBox(hub, 0, 0, 10, 10);
    AddBox(hub, 20, 0, 30, 10);
    CloseRoom(hub);
    Room* other = AddRoom();
    AddBox(other, -10, 0, 0, 10);
    AddBox(other, 10, 0, 20, 10);
    AddBox(other, 0, 10, 10, 20);
    AddBox(other, 30, 0, 40, 10);
    AddBox(other, 20, 10, 30, 20);
    CloseRoom(other);
    LinkAll();
    EXPECT_FALSE(hub->FindExits());
    EXPECT_EQ(hub->exitCount, 4);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "D3D: Too many exits in this room!\r\n");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Msg");
    EXPECT_TRUE(QuitRequested);
    EXPECT_EQ(RenderingStopped, 1);
}

TEST_F(CubeWorld, SearchFromACubeReachesNeighboursOfNeighbours) {
    Room* room = AddRoom();
    Cube* a = AddBox(room, 0, 0, 10, 10);
    Cube* b = AddBox(room, 10, 0, 20, 10);
    Cube* c = AddBox(room, 20, 0, 30, 10);
    Cube* far = AddBox(room, 100, 0, 110, 10);
    CloseRoom(room);
    LinkAll();
    EXPECT_EQ(a->FindCubeFrom(Fx(5), Fx(5)), a);
    EXPECT_EQ(a->FindCubeFrom(Fx(15), Fx(5)), b);
    EXPECT_EQ(a->FindCubeFrom(Fx(25), Fx(5)), c);
    EXPECT_EQ(a->FindCubeFrom(Fx(105), Fx(5)), far);
    EXPECT_EQ(a->FindCubeFrom(Fx(-5), Fx(5)), nullptr);
}

TEST_F(CubeWorld, SlopedSideZeroIsTurnedToALevelEdge) {
    Room* room = AddRoom();
    Cube* cube = AddCube(room, {{0, 0, 10}, {0, 10, 0}, {10, 10, 0}, {10, 0, 10}});
    CloseRoom(room);
    const uint16_t oldBottom1 = cube->bottom[1], oldTop1 = cube->top[1];
    cube->texture[1] = 7;
    cube->normal[1] = {1, 2, 3};
    RotateCubeSides(*cube);
    EXPECT_EQ(cube->bottom[0], oldBottom1);
    EXPECT_EQ(cube->top[0], oldTop1);
    EXPECT_EQ(cube->texture[0], 7);
    EXPECT_EQ(cube->normal[0].z, 3);
    EXPECT_EQ(cube->texture[FloorSlot], 0);  // ceiling and floor stay where they are

    Cube* level = AddBox(room, 20, 0, 30, 10);
    const uint16_t first = level->bottom[0];
    RotateCubeSides(*level);
    EXPECT_EQ(level->bottom[0], first);
}

TEST_F(CubeWorld, FloorHeightFollowsTheSlopeAndAVerticalPlaneKeepsCornerZero) {
    Room* room = AddRoom();
    // Rises from 0 at x = 0 to 10 at x = 10.
    Cube* ramp = AddCube(room, {{0, 0, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}});
    EXPECT_NEAR(ramp->FloorHeight(Fx(5), Fx(5)), Fx(5), 2);
    EXPECT_NEAR(ramp->FloorHeight(Fx(2.5), Fx(7)), Fx(2.5), 2);
    // Corners 0, 1 and 3 on one vertical line: no plane height to take.
    Cube* edge = AddCube(room, {{0, 0, 3}, {0, 0, 8}, {4, 4, 0}, {0, 0, 1}});
    EXPECT_EQ(edge->FloorHeight(Fx(1), Fx(1)), Fx(3));
    CloseRoom(room);
}

TEST_F(CubeWorld, FreeLevelEmptiesEveryTableAndDeletesEachObjectOnce) {
    Room* room = AddRoom();
    Cube* a = AddBox(room, 0, 0, 10, 10);
    Cube* b = AddBox(room, 10, 0, 20, 10);
    CloseRoom(room);
    BuildRoomNodes(RoomCount);
    auto* listed = new DecoObject;  // in a cube list and in the table
    listed->id = 4;
    MapObjectTable[4] = listed;
    AppendObject(*a, listed);
    AppendObject(*b, new Sprite2DObject);  // in a list only
    MapObjectTable[99] = new DoorObject;   // in the table only, past ObjectCount
    ObjectCount = 1;
    CurrentCube = a;
    FreeLevel();
    EXPECT_EQ(VertexCount, 0);
    EXPECT_EQ(CubeCount, 0);
    EXPECT_EQ(RoomCount, 0);
    EXPECT_EQ(TextureCount, 0);
    EXPECT_EQ(ObjectCount, 0);
    EXPECT_EQ(CurrentCube, nullptr);
    EXPECT_EQ(VisibleRoomHead, nullptr);
    for (MapObject* slot : MapObjectTable) {
        EXPECT_EQ(slot, nullptr);
    }
}
