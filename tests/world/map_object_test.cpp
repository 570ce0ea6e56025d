#include <gtest/gtest.h>

#include "base/report_error.h"
#include "platform/message_box.h"
#include "render/lighting.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/frame_animation.h"
#include "world/free_level.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/sprite2d_object.h"

using namespace testworld;

namespace {

class MapObjects : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        room = AddRoom();
        cube = AddBox(room, 0, 0, 100, 100);
        CloseRoom(room);
        savedX = PlayerX;
        savedY = PlayerY;
        savedZ = PlayerZ;
    }
    void TearDown() override {
        FreeLevel();
        PlayerX = savedX;
        PlayerY = savedY;
        PlayerZ = savedZ;
        ResetErrorState();
    }

    // A door leaf from (x0, z0) to (x1, z1), 0 to 20 high, with outward side normals.
    DoorObject* AddDoor(int id, int state, double extent, double step, double x0, double z0,
                        double x1, double z1) {
        auto* door = new DoorObject;
        door->type = DoorType;
        door->id = id;
        door->state = state;
        door->extent = Fx(extent);
        door->step = Fx(step);
        door->fx = 1.0f;
        door->leaf = new Cube;
        const double xs[4] = {x0, x0, x1, x1}, zs[4] = {z0, z1, z1, z0};
        for (int k = 0; k < 4; ++k) {
            door->leaf->bottom[k] = AddVertex(xs[k], 0, zs[k]);
            door->leaf->top[k] = AddVertex(xs[k], 20, zs[k]);
        }
        Cube& leaf = *door->leaf;
        for (int k = 0; k < 4; ++k) {
            PlaneNormal(leaf.Top(k + 1), leaf.Top(k), leaf.Bottom(k + 1), leaf.normal[k]);
        }
        door->centre = {Fx((x0 + x1) / 2), Fx(10), Fx((z0 + z1) / 2)};
        door->cube = cube;
        MapObjectTable[id] = door;
        AppendObject(*cube, door);
        return door;
    }

    template <class T>
    T* AddAnimated(int id, int type, int count) {
        auto* object = new T;
        object->type = type;
        object->id = id;
        object->animation.count = static_cast<int16_t>(count);
        object->cube = cube;
        MapObjectTable[id] = object;
        AppendObject(*cube, object);
        return object;
    }

    Room* room = nullptr;
    Cube* cube = nullptr;
    Fixed16 savedX = 0, savedY = 0, savedZ = 0;
};

}  // namespace

TEST_F(MapObjects, HalfOpenMovesByStepsAndShortensTheLast) {
    DoorObject* door = AddDoor(3, DoorUp, 64.0, 4.0, 40, 40, 50, 60);
    const Fixed16 top = door->leaf->Top(0).y;
    UpdateDoor(3, 1, 0.5f);  // the first step at once
    EXPECT_EQ(door->leaf->Top(0).y, top + Fx(4));
    int frames = 0;
    while (door->travelled != door->target && frames < 100) {
        door->Update(0);
        ++frames;
    }
    EXPECT_EQ(frames, 7);
    EXPECT_EQ(door->leaf->Top(0).y, top + Fx(32));
    EXPECT_EQ(door->leaf->Bottom(2).y, Fx(32));
    door->Update(0);  // back at rest
    EXPECT_EQ(door->target, 0);
    EXPECT_EQ(door->travelled, 0);

    door->step = Fx(5);
    UpdateDoor(3, 2, 0.5f);  // a close moves its own travel back down, the last step 2.0
    for (int i = 0; i < 6; ++i) {
        door->Update(0);
    }
    EXPECT_EQ(door->leaf->Top(0).y, top);
    EXPECT_EQ(door->centre.y, Fx(10));
}

TEST_F(MapObjects, SidewaysDoorsAndTheStopAndMoveCommands) {
    DoorObject* door = AddDoor(5, DoorAgainst, 30.0, 10.0, 40, 40, 50, 60);
    UpdateDoor(5, 1, 1.0f);
    EXPECT_EQ(door->leaf->Bottom(0).x, Fx(30));  // against (1, 0): x falls
    UpdateDoor(5, 3, 0.0f);                      // stop: at rest where it stands
    door->Update(0);
    EXPECT_EQ(door->leaf->Bottom(0).x, Fx(30));
    MoveDoorBy(5, 2, 25.0f);  // the whole distance at once, along (1, 0)
    EXPECT_EQ(door->leaf->Bottom(0).x, Fx(55));
    EXPECT_EQ(door->step, Fx(25));  // the new step stays
    UpdateDoor(5, 7, 1.0f);         // unknown commands do nothing
    EXPECT_EQ(door->leaf->Bottom(0).x, Fx(55));
}

TEST_F(MapObjects, FrameAnimationPausesResumesHidesAndSwaps) {
    auto* sprite = AddAnimated<Sprite2DObject>(7, Sprite2DType, 3);
    SpriteAnim(7, 0);
    EXPECT_EQ(sprite->animation.current, 1);
    SpriteAnim(7, 2);
    SpriteAnim(7, 0);
    EXPECT_EQ(sprite->animation.current, 1);  // paused: the frame stays
    SpriteAnim(7, 1);
    EXPECT_EQ(sprite->animation.current, 2);  // resumed and advanced at once
    SpriteAnim(7, 0);
    EXPECT_EQ(sprite->animation.current, 0);  // wraps
    SpriteAnim(7, 3);
    SpriteAnim(7, 0);
    EXPECT_EQ(sprite->animation.state, AnimationHidden);
    EXPECT_EQ(sprite->animation.current, 0);

    SwapTexture(7, 1);
    EXPECT_EQ(sprite->animation.count, 16);
    EXPECT_EQ(sprite->animation.textures[0], 142);
    EXPECT_EQ(sprite->animation.textures[15], 157);
    EXPECT_EQ(sprite->animation.delay, 15);
    EXPECT_EQ(sprite->animation.state, AnimationHidden);  // the state is left alone

    auto* deco = AddAnimated<DecoObject>(8, DecoType, 0);
    SpriteAnim(8, 0);  // no frames: nothing to advance
    EXPECT_EQ(deco->animation.current, 0);
    EXPECT_EQ(deco->animation.CurrentBitmap(), nullptr);
    SwapDeco(8, 0);
    EXPECT_EQ(deco->animation.count, 36);
    EXPECT_EQ(deco->animation.textures[35], 92);
    SwapDeco(8, 2);
    EXPECT_EQ(deco->animation.count, 36);
}

TEST_F(MapObjects, ScriptIdsReachOnlyFilledSlotsOfTheRightKind) {
    auto* deco = AddAnimated<DecoObject>(9, DecoType, 4);
    UpdateDoor(9, 1, 1.0f);  // a deco is no door
    SwapTexture(9, 0);       // nor a sprite
    EXPECT_EQ(deco->animation.count, 4);
    UpdateDoor(42, 1, 1.0f);  // empty slot
    UpdateDoor(-1, 1, 1.0f);  // outside the table
    UpdateDoor(100, 1, 1.0f);
    SpriteAnim(1000, 0);
    SwapDeco(-5, 0);
    MoveDoorBy(100, 1, 1.0f);
    SUCCEED();
}

TEST_F(MapObjects, SortPutsTheFarthestFirstAndKeepsTiesInOrder) {
    PlayerX = Fx(0);
    PlayerZ = Fx(0);
    auto* near = AddAnimated<DecoObject>(1, DecoType, 1);
    auto* far = AddAnimated<DecoObject>(2, DecoType, 1);
    auto* tieA = AddAnimated<DecoObject>(3, DecoType, 1);
    auto* tieB = AddAnimated<DecoObject>(4, DecoType, 1);
    near->centre = {Fx(3), 0, Fx(4)};
    far->centre = {Fx(60), 0, Fx(80)};
    tieA->centre = {Fx(30), 0, Fx(0)};
    tieB->centre = {Fx(0), 0, Fx(30)};
    UpdateObjects(*cube);
    std::vector<MapObject*> order;
    for (ObjectListNode* node = cube->objects; node; node = node->next) {
        order.push_back(node->object);
        if (node->next) {
            EXPECT_EQ(node->next->previous, node);
        }
    }
    EXPECT_EQ(order, (std::vector<MapObject*>{far, tieA, tieB, near}));
}

TEST_F(MapObjects, DoorLeafPushesTheStepOutAndReportsAPlayerInside) {
    DoorObject* door = AddDoor(2, DoorUp, 20.0, 4.0, 40, 40, 50, 60);
    PlayerY = Fx(10);
    // Walking along +x towards the leaf's side at x = 40: the step ends 8.0 short of it.
    PlayerX = Fx(30);
    PlayerZ = Fx(50);
    FixedVector step{Fx(5), 0, Fx(1)};
    door->Collide(&step);
    EXPECT_NEAR(PlayerX + step.x, Fx(32), 2);
    EXPECT_EQ(step.z, Fx(1));  // the part along the leaf stays

    FixedVector away{Fx(-5), 0, 0};
    door->Collide(&away);
    EXPECT_EQ(away.x, Fx(-5));

    PlayerY = Fx(-1);  // below the leaf's bottom: the leaf is above the eye
    FixedVector through{Fx(5), 0, 0};
    door->Collide(&through);
    EXPECT_EQ(through.x, Fx(5));

    PlayerY = Fx(10);
    PlayerX = Fx(45);
    FixedVector inside{Fx(1), 0, 0};
    door->Collide(&inside);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "D3D: Player is inside the door!\r\n");
    EXPECT_TRUE(QuitRequested);
}
