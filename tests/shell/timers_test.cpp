#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/random.h"
#include "script/parser.h"
#include "script/wait.h"
#include "shell/timers.h"
#include "support/script_scratch.h"

using shelltest::ScratchScripts;

namespace {

class ScriptTimerTicks : public ::testing::Test {
protected:
    void SetUp() override {
        FiredTimer = 0;
        TimersEnabled = 0;
    }
    void TearDown() override {
        FiredTimer = 0;
        TimersEnabled = 0;
    }

    // A script whose "Timer" state counts its runs in `runs`.
    int LoadWithTimerState() {
        return scripts.Load(
            "int runs;\n"
            "state Start;\n"
            "exit;\n"
            "state Timer;\n"
            "runs = (runs + 1);\n"
            "exit;\n");
    }

    ScratchScripts scripts;
};

}  // namespace

TEST_F(ScriptTimerTicks, NothingCountsWithoutATimerState) {
    ASSERT_EQ(scripts.Load("state Start;\nexit;\n"), 1);
    ResetScriptTimers();
    SetScriptTimer(3, 0, 2, 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(TimerTick(), 0);
    }
    EXPECT_EQ(ScriptTimers[3].counter, 0);
    EXPECT_EQ(ScriptTimers[0].counter, 0);
}

TEST_F(ScriptTimerTicks, TimerStateRunsEveryLimitTicksWithTheFiredTimer) {
    ASSERT_EQ(LoadWithTimerState(), 1);
    ResetScriptTimers();
    SetScriptTimer(2, 0, 3, 0);
    for (int tick = 1; tick <= 9; ++tick) {
        EXPECT_EQ(TimerTick(), 1);
        EXPECT_EQ(ScratchScripts::Var("runs"), tick / 3) << tick;
        EXPECT_EQ(ScriptTimers[2].counter, tick % 3);
    }
    EXPECT_EQ(GetFiredTimer(), 2);
    // A limit of 0 never fires: timer 5's counter only grows.
    EXPECT_EQ(ScriptTimers[5].counter, 9);

    // Two timers at their limits in one tick: one run each, in index order.
    ResetScriptTimers();
    SetScriptTimer(4, 1, 2, 0);
    SetScriptTimer(1, 1, 2, 0);
    TimerTick();
    EXPECT_EQ(ScratchScripts::Var("runs"), 5);
    EXPECT_EQ(GetFiredTimer(), 4);
}

TEST_F(ScriptTimerTicks, DisabledTimersCycleWithoutRunningTheState) {
    ASSERT_EQ(LoadWithTimerState(), 1);
    SetScriptTimer(2, 0, 3, 0);  // enabled only by initTimer or toggleTimer 1
    const int expected[] = {1, 2, 0, 1, 2, 0};
    for (int counter : expected) {
        TimerTick();
        EXPECT_EQ(ScriptTimers[2].counter, counter);
    }
    EnableScriptTimers(1);
    TimerTick();
    TimerTick();
    TimerTick();
    EXPECT_EQ(ScratchScripts::Var("runs"), 1);
    EnableScriptTimers(2);  // anything but 1 disables
    EXPECT_EQ(TimersEnabled, 0);
    // Outside run mode the state does not run either.
    EnableScriptTimers(1);
    RunMode = RunModeCompile;
    TimerTick();
    TimerTick();
    TimerTick();
    RunMode = RunModeRun;
    EXPECT_EQ(ScratchScripts::Var("runs"), 1);
}

TEST_F(ScriptTimerTicks, RandomLimitsAndTimersOutsideTheTable) {
    SetScriptTimer(1, 7, 5, 1);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "Limit too small! Setting to Min value");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Set Time Debug");
    EXPECT_EQ(ScriptTimers[1].counter, 7);
    EXPECT_EQ(ScriptTimers[1].limit, 5);

    for (int i = 0; i < 20; ++i) {
        SetScriptTimer(1, 0, 6, 1);
        EXPECT_EQ(ScriptTimers[1].limit, 5);
        SetScriptTimer(2, 0, 20, 1);
        EXPECT_GE(ScriptTimers[2].limit, 5);
        EXPECT_LE(ScriptTimers[2].limit, 19);
    }
    EXPECT_EQ(platform::RecordedBoxes().size(), 1u);
    SetScriptTimer(2, 4, 99, 7);  // another mode keeps the limit
    EXPECT_EQ(ScriptTimers[2].counter, 4);
    EXPECT_LE(ScriptTimers[2].limit, 19);

    const ScriptTimer before[2] = {ScriptTimers[0], ScriptTimers[9]};
    SetScriptTimer(-1, 1, 1, 0);
    SetScriptTimer(10, 1, 1, 0);
    EXPECT_EQ(ScriptTimers[0].counter, before[0].counter);
    EXPECT_EQ(ScriptTimers[9].limit, before[1].limit);
}
