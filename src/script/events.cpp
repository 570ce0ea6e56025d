#include "script/events.h"

#include <string>

#include "script/limits.h"
#include "script/loader.h"
#include "script/parser.h"
#include "script/runner.h"
#include "script/states.h"
#include "script/stream.h"
#include "script/tokenizer.h"
#include "script/variables.h"
#include "script/wait.h"

MotionEventRecord MotionEventArgs;
HotSpotEventRecord HotSpotEventArgs;

void InitScriptEngine() {
    AllocScriptStream();
    ResetStateTable();
    ClearScriptVariables();
    StepRowCount = 0;
    StepLineCount = 0;
    StepStateSwitch = 0;
    RunMode = RunModeCompile;
    StopFlag = 0;
    SkipFlag = 0;
    SkipDepth = 0;
    LastIfResult = -1;
    JumpPending = 0;
    LoopBackPending = 0;
    ReturnValue = 0;
    UpdateStateFlag = 0;
    RunDepth = 0;
    BlockLevel = 0;
    BraceDepth = 0;
    WaitPending = 0;
    MotionEventArgs = {};
    HotSpotEventArgs = {};
}

int LoadScript(const char* fileName) {
    std::string name = fileName;  // the caller's words are overwritten while the file compiles
    ClearScriptVariables();
    StreamLength = 0;
    StatementStart = 0;
    StatementsStored = 0;
    ResetStateTable();
    RunMode = RunModeCompile;
    StopFlag = 0;
    WaitPending = 0;
    LoadScriptFile(name.c_str());
    RunMode = RunModeRun;
    int result = RunScript(1);
    StopFlag = 1;  // the run that loaded the script does not go on in the replaced one
    return result;
}

namespace {

// The event's state, or -1 when the script defines none.
int EventState(const char* name) { return FindState(name); }

}  // namespace

int RaiseEvent() {
    int id = EventState(EventStateName);
    if (id < 0) return 0;
    if (RunMode != RunModeRun) return 1;
    StopFlag = 0;
    ExecState(id);
    return 1;
}

int RaiseMotionEvent(int object, int motion) {
    int id = EventState(MotionStateName);
    if (id < 0) return 0;
    if (RunMode != RunModeRun) return 1;
    MotionEventArgs = {object, motion};
    StopFlag = 0;
    ExecState(id);
    return 1;
}

int RaiseHotSpotEvent(int hotSpot, int value) {
    int id = EventState(HotSpotStateName);
    if (id < 0) return 0;
    if (RunMode != RunModeRun) return 1;
    HotSpotEventArgs.value = value;
    HotSpotEventArgs.hotSpot = hotSpot;
    if (hotSpot == ObjectHotSpot) HotSpotEventArgs.objectValue = value;
    StopFlag = 0;
    ExecState(id);
    return 1;
}

void TriggerState(int object, int row, int state) {
    if (IsStepState(state))
        StepState(state);
    else
        RaiseMotionEvent(object, row);
}

int GetMotionEventArg(int selector) {
    if (selector == 0) return MotionEventArgs.object;
    if (selector == 1) return MotionEventArgs.motion;
    return 0;
}

int GetHotSpotEventArg(int selector) {
    if (selector == 0) return HotSpotEventArgs.objectValue;
    if (selector == 1) return HotSpotEventArgs.value;
    return HotSpotEventArgs.hotSpot;
}

int RaiseTimerEvent() {
    int id = EventState(TimerStateName);
    if (id < 0) return 0;
    if (RunMode != RunModeRun) return 1;
    StopFlag = 0;
    ExecState(id);
    return 1;
}
