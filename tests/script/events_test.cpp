#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/script_fixture.h"

using ::testing::ElementsAre;

namespace {

using Events = ScriptTest;

}  // namespace

TEST_F(Events, RunOnlyWhenDefinedAndInRunMode) {
    ASSERT_EQ(Load("int clicks;\n"
                   "int motions;\n"
                   "state Start;\n"
                   "exit;\n"
                   "state Event;\n"
                   "clicks = (clicks + 1);\n"
                   "exit;\n"
                   "state Motion;\n"
                   "motions = (motions + 1);\n"
                   "exit;\n"),
              1);
    // The script has no "HotSpot" and no "Timer" state: those events are ignored.
    EXPECT_EQ(RaiseHotSpotEvent(3, 7), 0);
    EXPECT_EQ(RaiseTimerEvent(), 0);
    EXPECT_EQ(HotSpotEventArgs.hotSpot, 0);
    // A finished run leaves StopFlag at 1; an event runs its whole state all the same.
    EXPECT_EQ(StopFlag, 1);
    EXPECT_EQ(RaiseEvent(), 1);
    EXPECT_EQ(Var("clicks"), 1);
    // Outside run mode an event that exists runs nothing and records nothing.
    RunMode = RunModeCompile;
    EXPECT_EQ(RaiseEvent(), 1);
    EXPECT_EQ(RaiseMotionEvent(4, 5), 1);
    EXPECT_EQ(Var("clicks"), 1);
    EXPECT_EQ(GetMotionEventArg(0), 0);
    RunMode = RunModeRun;
    EXPECT_EQ(RaiseMotionEvent(4, 5), 1);
    EXPECT_EQ(Var("motions"), 1);
    EXPECT_EQ(GetMotionEventArg(0), 4);
    EXPECT_EQ(GetMotionEventArg(1), 5);
    EXPECT_EQ(GetMotionEventArg(2), 0);
}

TEST_F(Events, HotSpotArgumentsAndFinishedMoves) {
    ASSERT_EQ(Load("int hits;\n"
                   "int n;\n"
                   "state Start;\n"
                   "exit;\n"
                   "state HotSpot;\n"
                   "hits = (hits + 1);\n"
                   "exit;\n"
                   "state Motion;\n"
                   "n = 100;\n"
                   "exit;\n"
                   "stepState Walk;\n"
                   "n = 1;\n"
                   "n = 2;\n"),
              1);
    EXPECT_EQ(RaiseHotSpotEvent(ObjectHotSpot, 12), 1);
    EXPECT_EQ(RaiseHotSpotEvent(3, 7), 1);
    EXPECT_EQ(Var("hits"), 2);
    EXPECT_EQ(GetHotSpotEventArg(1), 7);
    EXPECT_EQ(GetHotSpotEventArg(2), 3);
    EXPECT_EQ(GetHotSpotEventArg(0), 12);  // the object value of the last finished move
    // A move ending with a step state as its follow-up runs that state's next step.
    int walk = FindState("Walk");
    TriggerState(6, 4, walk);
    EXPECT_EQ(Var("n"), 1);
    TriggerState(6, 4, walk);
    EXPECT_EQ(Var("n"), 2);
    // Any other follow-up raises "Motion" with the character's object and row.
    TriggerState(6, 4, FindState("HotSpot"));
    EXPECT_EQ(Var("n"), 100);
    EXPECT_EQ(GetMotionEventArg(1), 4);
    VariableTable[FindVariable("n")].value = 0;
    TriggerState(6, 4, 77);
    EXPECT_EQ(Var("n"), 100);
    EXPECT_THAT(BoxTexts(), ElementsAre("State not Defined! | Check Step State Debug"));
}

TEST_F(Events, WaitResumesOnceAfterItsTicks) {
    ASSERT_EQ(Load("int a;\n"
                   "int b;\n"
                   "int c;\n"
                   "state Start;\n"
                   "a = 1;\n"
                   "Wait 3;\n"
                   "b = (b + 1);\n"
                   "gotoState Later;\n"
                   "state Other;\n"
                   "c = 50;\n"
                   "exit;\n"
                   "state Later;\n"
                   "c = (c + 1);\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(Var("a"), 1);
    EXPECT_EQ(Var("b"), 0);
    EXPECT_EQ(ScriptTimers[0].counter, 0);
    EXPECT_EQ(ScriptTimers[0].limit, 3);
    EXPECT_EQ(ResumeAfterWait(), 0);
    EXPECT_EQ(ResumeAfterWait(), 0);
    EXPECT_EQ(ResumeAfterWait(), 1);
    // The rest of the state runs, with its jump.
    EXPECT_EQ(Var("b"), 1);
    EXPECT_EQ(Var("c"), 1);
    // At most once per wait.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ResumeAfterWait(), 0);
    EXPECT_EQ(Var("b"), 1);
}

TEST_F(Events, WaitEndsEarlyWhenTimerZeroIsAtItsLimit) {
    ASSERT_EQ(Load("int b;\n"
                   "state Start;\n"
                   "Wait 30;\n"
                   "b = 1;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(ResumeAfterWait(), 0);
    ScriptTimers[0] = {3, 3};  // as setTimer 0 3 3 0 leaves it
    EXPECT_EQ(ResumeAfterWait(), 1);
    EXPECT_EQ(Var("b"), 1);
}

TEST_F(Events, LoadingAScriptReplacesTheRunningOne) {
    Write("next.scp",
          "int fresh;\n"
          "state Begin;\n"
          "fresh = 7;\n"
          "exit;\n");
    ASSERT_EQ(Load("int old;\n"
                   "state Start;\n"
                   "Wait 1;\n"
                   "old = 1;\n"
                   "exit;\n"
                   "state Event;\n"
                   "LoadNewScript \"NEXT.SCP\";\n"
                   "old = 2;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(RaiseEvent(), 1);
    // The new script ran from its beginning; nothing of the old state ran after the load, and
    // the old script's pending wait is gone.
    EXPECT_EQ(Var("fresh"), 7);
    EXPECT_EQ(FindVariable("old"), MaxVariables);
    EXPECT_EQ(FindState("Event"), -1);
    EXPECT_EQ(StopFlag, 1);
    EXPECT_EQ(ResumeAfterWait(), 0);
    EXPECT_EQ(Var("fresh"), 7);
    // A script that cannot be read leaves an empty script, which does not run.
    platform::ClearRecordedBoxes();
    EXPECT_EQ(LoadScript("none.scp"), 0);
    EXPECT_EQ(StreamLength, 0);
    EXPECT_EQ(StateCount, 1);
    EXPECT_THAT(BoxTexts(),
                ElementsAre("Script File Open Error | Error",
                            "No Script Loaded! State Tree not built! | Run Script debug"));
}
