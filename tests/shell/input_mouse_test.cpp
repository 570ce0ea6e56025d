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

    // The right button from item 12 or more goes back to cursor 0 and shows the system cursor.
    const bool visible = CursorVisible();
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 9);
    EXPECT_EQ(CursorNumber, 0);
    EXPECT_EQ(CursorVisible(), visible);
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 9);
    EXPECT_EQ(CursorNumber, 1);
    Click(SDL_BUTTON_RIGHT, 10, 240);
    EXPECT_EQ(CursorItem, 10);
    EXPECT_EQ(CursorNumber, 2);
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
