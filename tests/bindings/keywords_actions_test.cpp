// The statement keywords that act on the world, the palettes and the values a script reads back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/graphics_objects.h"
#include "platform/draw_constants.h"
#include "platform/palette.h"
#include "platform/random.h"
#include "platform/surface.h"
#include "shell/bmp_surface.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/timers.h"
#include "support/script_fixture.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/free_level.h"
#include "world/map_object.h"
#include "world/sprite2d_object.h"

using ::testing::ElementsAre;

namespace {

struct Probe : MapObject {
    void Update(int op) override { ops.push_back(op); }
    std::vector<int> ops;
};

class Keywords : public ScriptTest {
protected:
    void TearDown() override {
        FreeLevel();  // deletes the objects of MapObjectTable
        ClickedId = -1;
        MotionEventArgs = {};
        HotSpotEventArgs = {};
        FiredTimer = 0;
        TimersEnabled = 0;
        ScriptTest::TearDown();
    }
    template <class T>
    static T* Place(int id, int type) {
        T* object = new T;
        object->type = type;
        object->id = id;
        MapObjectTable[id] = object;
        return object;
    }
};

TEST_F(Keywords, WorldKeywordsReachTheObjectOfTheirIdWithTheirNumbers) {
    Probe* probe = Place<Probe>(4, Sprite2DType);
    auto* sprite = Place<Sprite2DObject>(6, Sprite2DType);
    auto* deco = Place<DecoObject>(7, DecoType);
    auto* door = Place<DoorObject>(8, DoorType);
    door->extent = testworld::Fx(10);
    door->step = testworld::Fx(1);
    door->state = DoorUp;
    door->leaf = new Cube;
    for (int k = 0; k < 4; ++k) {
        door->leaf->bottom[k] = testworld::AddVertex(k, 0, 0);
        door->leaf->top[k] = testworld::AddVertex(k, 20, 0);
    }
    ASSERT_EQ(Load("state Start;\n"
                   "SpriteAnim 4 7;\n"
                   "SpriteAnim 4;\n"      // the 7 before is not read again
                   "SpriteAnim 4 2.9;\n"  // truncated
                   "SwapTexture 6 1;\n"
                   "SwapDeco 7 0;\n"
                   "UpdateDoor 8 1 0.5;\n"
                   "exit;\n"),
              1);
    EXPECT_THAT(probe->ops, ElementsAre(7, 0, 2));
    EXPECT_EQ(sprite->animation.count, SpriteSwapSets[1].frames);
    EXPECT_EQ(deco->animation.count, DecoSwapSets[0].frames);
    EXPECT_EQ(door->target, testworld::Fx(5));
    EXPECT_EQ(door->travelled, testworld::Fx(1));
    EXPECT_EQ(Vertices[door->leaf->top[0]].y, testworld::Fx(21));
}

TEST_F(Keywords, BadObjectIdsDoNothing) {
    Probe* probe = Place<Probe>(4, Sprite2DType);
    auto* deco = Place<DecoObject>(7, DecoType);
    ASSERT_EQ(Load("state Start;\n"
                   "SpriteAnim -1 3;\n"
                   "SpriteAnim 100 3;\n"
                   "SpriteAnim 5000000000 3;\n"
                   "SpriteAnim 5 3;\n"      // an empty slot
                   "UpdateDoor 4 1 0.5;\n"  // not a door
                   "UpdateDoor -3 1 0.5;\n"
                   "SwapTexture 7 1;\n"  // not a sprite
                   "SwapDeco 99 0;\n"
                   "exit;\n"),
              1);
    EXPECT_TRUE(probe->ops.empty());
    EXPECT_EQ(deco->animation.count, 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(Keywords, ValueKeywordsLeaveTheirValueForAssignments) {
    MotionEventArgs = {3, 8};
    const int cursorBefore = CursorNumber;
    SetActiveCursor(6);
    HotSpotEventArgs = {7, 9, 5};
    platform::SRand(5);
    int r1 = platform::Rand() % 6;
    int r2 = platform::Rand() % -4;
    platform::SRand(5);
    std::string declarations;
    for (const char* name : {"click", "none", "rnd", "neg", "zero", "m0", "m1", "m2", "h0", "h1",
                             "h2", "kept", "upd", "spot", "timer", "cursor"})
        declarations += std::string("int ") + name + ";\n";
    ASSERT_EQ(
        Load(declarations + "state Start;\n"
                            "none = CheckActiveObj;\n"
                            "rnd = RandomNum 6;\n"
                            "neg = RandomNum -4;\n"
                            "zero = RandomNum 0;\n"
                            "m0 = CheckMotionState 0;\n"
                            "m1 = CheckMotionState 1;\n"
                            "m2 = CheckMotionState 2;\n"
                            "h0 = ReturnHotSpot 0;\n"
                            "h1 = ReturnHotSpot 1;\n"
                            "h2 = ReturnHotSpot 2;\n"
                            "kept = SpriteAnim 1 1;\n"  // no value of its own: the last one stays
                            "upd = checkUpdateState;\n"
                            "spot = CheckHotSpot 1 3;\n"
                            "timer = checkTimer;\n"
                            "cursor = CheckActiveCursor;\n"
                            "exit;\n"
                            "state Click;\n"
                            "click = CheckActiveObj;\n"
                            "exit;\n"),
        1);
    EXPECT_EQ(Var("none"), 99);
    EXPECT_EQ(Var("rnd"), r1);
    EXPECT_EQ(Var("neg"), r2);
    EXPECT_EQ(Var("zero"), 0);
    EXPECT_EQ(Var("m0"), 3);
    EXPECT_EQ(Var("m1"), 8);
    EXPECT_EQ(Var("m2"), 0);
    EXPECT_EQ(Var("h0"), 7);
    EXPECT_EQ(Var("h1"), 9);
    EXPECT_EQ(Var("h2"), 5);
    EXPECT_EQ(Var("kept"), 5);
    EXPECT_EQ(Var("upd"), 0);    // no move has ended
    EXPECT_EQ(Var("spot"), -1);  // nothing stands on the hot spot
    EXPECT_EQ(Var("timer"), FiredTimer);
    EXPECT_EQ(Var("cursor"), 6);
    SetActiveCursor(cursorBefore);

    ClickedId = 100;
    StopFlag = 0;
    ExecState(FindState("Click"));
    EXPECT_EQ(Var("click"), 100);
}

TEST_F(Keywords, TimerKeywordsPassTheirNumbers) {
    FiredTimer = 3;
    TimersEnabled = 0;
    ASSERT_EQ(Load("int fired;\n"
                   "state Start;\n"
                   "setTimer 2 1 4 0;\n"
                   "setTimer 3 2 9 1;\n"  // a random limit: the fourth number
                   "setTimer 3 1 3;\n"    // no mode: 0, so the limit is set
                   "setTimer 10 1 1 0;\n"
                   "setTimer -1 1 1 0;\n"
                   "toggleTimer 1;\n"
                   "fired = checkTimer;\n"
                   "exit;\n"
                   "state Reset;\n"
                   "initTimer;\n"
                   "toggleTimer;\n"  // no number: disabled
                   "exit;\n"),
              1);
    EXPECT_EQ(ScriptTimers[2].counter, 1);
    EXPECT_EQ(ScriptTimers[2].limit, 4);
    EXPECT_EQ(ScriptTimers[3].counter, 1);
    EXPECT_EQ(ScriptTimers[3].limit, 3);
    EXPECT_EQ(TimersEnabled, 1);
    EXPECT_EQ(Var("fired"), 3);
    StopFlag = 0;
    ExecState(FindState("Reset"));
    EXPECT_EQ(ScriptTimers[2].limit, 0);
    EXPECT_EQ(TimersEnabled, 0);
}

TEST_F(Keywords, UnusedLoadsThePaletteFile) {
    ASSERT_EQ(Load("state Start;\n"
                   "Unused(\"dark.bmp\");\n"
                   "exit;\n"),
              1);
    EXPECT_STREQ(PaletteFileName, "dark.bmp");
}

class PaletteKeywords : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        back_ = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 8, 8, 1);
        front_ = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 8, 8, 1);
        BackBuffer = back_;
        FrontBuffer = front_;
        platform::PaletteEntry entries[256] = {};
        for (int i : {0, 10, 11, 12, 98, 99}) {
            entries[1].red = static_cast<uint8_t>(i);
            PaletteTable[i] = new platform::Palette(platform::DDPCAPS_8BIT, entries);
        }
    }
    void TearDown() override {
        BackBuffer = FrontBuffer = nullptr;
        back_->Release();
        front_->Release();
        for (platform::Palette*& p : PaletteTable) {
            if (p) p->Release();
            p = nullptr;
        }
        ScriptTest::TearDown();
    }
    platform::Surface* back_ = nullptr;
    platform::Surface* front_ = nullptr;
};

TEST_F(PaletteKeywords, ConsecutivePalettesEndWithTheLastInForce) {
    ASSERT_EQ(Load("state Start;\n"
                   "AnimatePalette 10 3 77;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(back_->AttachedPalette(), PaletteTable[12]);
    EXPECT_EQ(front_->AttachedPalette(), PaletteTable[12]);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(PaletteKeywords, EntriesOutsideTheTableOrEmptyArePassedOver) {
    ASSERT_EQ(Load("state First;\n"
                   "AnimatePalette 98 5;\n"  // 100 to 102 lie outside
                   "exit;\n"
                   "state Second;\n"
                   "AnimatePalette -2 3;\n"  // -2 and -1 lie outside
                   "exit;\n"
                   "state Third;\n"
                   "AnimatePalette 11 0;\n"
                   "AnimatePalette 12 -3;\n"
                   "AnimatePalette 13 4;\n"  // 13 to 16 were never loaded
                   "exit;\n"),
              1);
    EXPECT_EQ(front_->AttachedPalette(), PaletteTable[99]);
    StopFlag = 0;
    ExecState(FindState("Second"));
    EXPECT_EQ(front_->AttachedPalette(), PaletteTable[0]);
    StopFlag = 0;
    ExecState(FindState("Third"));
    EXPECT_EQ(back_->AttachedPalette(), PaletteTable[0]);
    EXPECT_EQ(front_->AttachedPalette(), PaletteTable[0]);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

// The loop goes on after each failure; the box is shown once for the script.
TEST_F(PaletteKeywords, AScreenThatRefusesThePaletteIsReportedAndTheLoopGoesOn) {
    FrontBuffer = nullptr;
    ASSERT_EQ(Load("state Start;\n"
                   "AnimatePalette 10 2;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(back_->AttachedPalette(), PaletteTable[11]);
    EXPECT_THAT(BoxTexts(), ElementsAre("SetPalette failed | Error"));
}

}  // namespace
