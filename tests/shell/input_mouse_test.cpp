#include <gtest/gtest.h>

#include "input_fixture.h"
#include "platform/clock.h"
#include "platform/win_constants.h"
#include "render/render_state.h"
#include "shell/input.h"
#include "shell/overlays.h"
#include "shell/timers.h"
#include "world/visible_rooms.h"

using namespace platform;

namespace {

using GameMouse = GameInputTest;

// The system cursor's display count, as ShowCursor keeps it (shown while at 0 or more).
int ShowCount() {
    const int count = ShowCursor(true) - 1;
    ShowCursor(false);
    return count;
}

// A script that counts its "Event" runs and its "Timer" runs.
const char* CountingScript =
    "int clicks;\n"
    "int ticks;\n"
    "state Start;\n"
    "exit;\n"
    "state Event;\n"
    "clicks = (clicks + 1);\n"
    "exit;\n"
    "state Timer;\n"
    "ticks = (ticks + 1);\n"
    "exit;\n";

}  // namespace

TEST_F(GameMouse, CursorItemFollowsTheScreenZones) {
    // The bounds are a tenth in from each edge of 640 x 480: 64, 48, 576 and 432.
    EXPECT_EQ(ScreenBounds[0], 64);
    EXPECT_EQ(ScreenBounds[1], 48);
    EXPECT_EQ(ScreenBounds[2], 576);
    EXPECT_EQ(ScreenBounds[3], 432);
    struct Case {
        int x, y, item;
    };
    const Case cases[] = {
        {10, 240, 3}, {630, 240, 4}, {320, 10, 1}, {320, 470, 2},
        {630, 10, 5}, {630, 470, 6}, {10, 10, 7},  {10, 470, 8},
    };
    for (const Case& c : cases) {
        MoveMouse(c.x, c.y);
        EXPECT_EQ(CursorItem, c.item) << c.x << ", " << c.y;
    }
    MoveMouse(320, 240);
    EXPECT_EQ(CursorItem, CursorBase + CursorNumber);
    // Exactly on a bound nothing matches: the item stays.
    EXPECT_EQ(SetActiveCursor(1), 10);
    MoveMouse(64, 240);
    EXPECT_EQ(CursorItem, 10);
    EXPECT_EQ(GetActiveCursor(), 1);
}

TEST_F(GameMouse, ClicksCycleTheCursors) {
    // Items 1 to 14: the edge arrows and six cursors.
    while (OverlayItemCount <= PickedTwiceCursorItem) {
        ASSERT_GT(AddPane(0, 1, 1, 0, 0), 0);
    }
    SetActiveCursor(3);  // item 12, the pick cursor
    Click(SDL_BUTTON_LEFT, 10, 240);
    EXPECT_EQ(CursorItem, 13);
    EXPECT_EQ(CursorNumber, 4);
    Click(SDL_BUTTON_LEFT, 10, 240);
    EXPECT_EQ(CursorItem, 14);
    EXPECT_EQ(CursorNumber, 5);
    Click(SDL_BUTTON_LEFT, 10, 240);
    EXPECT_EQ(CursorItem, 14);
    EXPECT_EQ(CursorNumber, 5);

    // The right button hides the system cursor once more; from item 12 or more it goes back to
    // cursor 0 and shows the system cursor again, so that hiding and showing stay balanced.
    const int shown = ShowCount();
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 9);
    EXPECT_EQ(CursorNumber, 0);
    EXPECT_EQ(ShowCount(), shown);
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 9);
    EXPECT_EQ(CursorNumber, 1);
    EXPECT_EQ(ShowCount(), shown - 1);
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 10);
    EXPECT_EQ(CursorNumber, 2);
    EXPECT_EQ(ShowCount(), shown - 2);
}

TEST_F(GameMouse, LeftClickPicksTheDoorAndRaisesEvent) {
    ASSERT_EQ(Load(CountingScript), 1);
    // Facing door 7's leaf from 30.0 away, the cursor in the middle of the screen.
    StandAt(280, 50, 0xC000);
    Msg msg;
    ASSERT_TRUE(MainLoopPass(msg));
    ASSERT_EQ(ViewWidth, 480);

    Click(SDL_BUTTON_LEFT, 320, 240);
    EXPECT_EQ(ClickedId, 7);
    EXPECT_EQ(Var("clicks"), 1);

    // A wall is no object: -1, and "Event" runs all the same.
    StandAt(280, 50, 0x4000);
    Click(SDL_BUTTON_LEFT, 320, 240);
    EXPECT_EQ(ClickedId, -1);
    EXPECT_EQ(Var("clicks"), 2);

    // A position beyond the view picks nothing.
    PickRecord pick{};
    PickObjectAt(pick, 2000, 100);
    EXPECT_EQ(pick.kind, PickNone);
    EXPECT_EQ(pick.pixel, nullptr);
    PickObjectAt(pick, 320, 240);
    EXPECT_EQ(pick.kind, PickSide + 2);

    // Nor is a floor (a pick of kind 3), seen with the view tilted down.
    StandAt(280, 50, 0xC000);
    Click(SDL_BUTTON_LEFT, 320, 240);
    ASSERT_EQ(ClickedId, 7);
    StandAt(50, 50, 0x4000);
    HorizonOffset = 300;
    PickObjectAt(pick, 320, 470);
    EXPECT_EQ(pick.kind, 3);
    Click(SDL_BUTTON_LEFT, 320, 470);
    EXPECT_EQ(ClickedId, -1);
    HorizonOffset = 0;
}

// Entry 55 of the cube table is the clickable cube: a click on one of its sides gives 100, on its
// floor or its ceiling -1; a click on a side of entry 58 keeps the last click's id, on its ceiling
// it gives -1. The test level is loaded after a room of 55 cubes out of the way, so that its
// first cube is entry 55 and the cube standing on its fourth is entry 58.
TEST_F(GameMouse, SidesOfTheClickableCubesAndNotTheirFloorsOrCeilings) {
    std::string filler =
        "VERTICES {\n 5000 0 5000\n 5000 0 5010\n 5010 0 5010\n 5010 0 5000\n"
        " 5000 10 5000\n 5000 10 5010\n 5010 10 5010\n 5010 10 5000\n}\n"
        "TEXTURES {\n cubeworld.bmp 0 0 32 32 1\n}\n";
    for (int i = 0; i < 55; ++i) {
        filler +=
            "CUBE {\n VERTICES { 0 1 2 3 4 5 6 7 }\n"
            " NORMALS {\n 1 0 0\n 0 0 1\n -1 0 0\n 0 0 -1\n 0 -1 0\n 0 1 0\n }\n"
            " TEXTURES {\n -1\n -1\n -1\n -1\n -1\n -1\n }\n"
            " CONNECTION { -1 -1 -1 -1 -1 -1 }\n}\n";
    }
    Write("filler.cub", filler);
    Write("clicks.lvl", "1.0 50.0 40.0 30.0 0\nfiller.cub\nroom_a.cub\nROOM_B.cub\nroom_c.cub\n");
    ResetLevel();
    ASSERT_EQ(LoadLevel("clicks.lvl"), 1);
    ASSERT_EQ(Load(CountingScript), 1);
    ASSERT_EQ(CurrentCube, Cubes[55]);
    Msg msg;
    ASSERT_TRUE(MainLoopPass(msg));

    // Where the player stands, which way the view is tilted, and the screen row clicked at the
    // middle column; what the pick finds there, and the id the click leaves.
    struct Case {
        double x, z;
        Angle16 heading;
        int horizon, y;
        int cube, kind, id;
    };
    const Case cases[] = {
        {50, 50, 0xC000, 0, 240, 55, 4 + 0, 100},  // a side of entry 55
        {50, 50, 0x4000, 300, 475, 55, 3, -1},     // its floor
        {50, 50, 0x8000, 0, 240, 55, 4 + 3, 100},  // another side
        {50, 50, 0x4000, -300, 5, 55, 2, -1},      // its ceiling
        {50, 50, 0x8000, 0, 240, 55, 4 + 3, 100},
        {210, 50, 0, -300, 5, 58, 4 + 1, 100},  // a side of entry 58: the last id stays
        {170, 50, 0x4000, -300, 5, 58, 2, -1},  // its ceiling
        {210, 50, 0, -300, 5, 58, 4 + 1, -1},
    };
    int clicks = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cube) + " kind " + std::to_string(c.kind));
        StandAt(c.x, c.z, c.heading);
        HorizonOffset = c.horizon;
        PickRecord pick{};
        PickObjectAt(pick, 320, c.y);
        ASSERT_EQ(pick.kind, c.kind);
        ASSERT_EQ(pick.cube, Cubes[c.cube]);
        Click(SDL_BUTTON_LEFT, 320, c.y);
        EXPECT_EQ(ClickedId, c.id);
        EXPECT_EQ(Var("clicks"), ++clicks);
    }
    HorizonOffset = 0;
}

TEST_F(GameMouse, TimerStateRunsEveryLimitSecondsOfTheOneSecondTimer) {
    ASSERT_EQ(Load(CountingScript), 1);
    ResetScriptTimers();
    SetScriptTimer(3, 0, 2, 0);
    for (int second = 1; second <= 6; ++second) {
        AdvanceFakeClock(1000);
        Dispatch();
        EXPECT_EQ(Var("ticks"), second / 2) << second;
    }
    EXPECT_EQ(GetFiredTimer(), 3);
}
