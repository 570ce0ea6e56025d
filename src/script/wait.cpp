#include "script/wait.h"

#include "script/runner.h"
#include "script/stream.h"

ScriptTimer ScriptTimers[ScriptTimerCount];
int WaitResume = 0;
int WaitEnd = 0;
int WaitPending = 0;
int WaitTicks = 0;
int WaitLength = 0;

void BeginWait(int ticks) {
    ScriptTimers[0] = {0, ticks};
    WaitResume = StatementEnd;
    WaitEnd = StreamLength;
    WaitPending = 1;
    WaitTicks = 0;
    WaitLength = ticks;
    StopFlag = 1;
}

int ResumeAfterWait() {
    if (!WaitPending) return 0;
    ++WaitTicks;
    const ScriptTimer& t = ScriptTimers[0];
    bool timerAtLimit = t.limit != 0 && t.counter == t.limit;
    if (WaitTicks < WaitLength && !timerAtLimit) return 0;
    WaitPending = 0;
    StopFlag = 0;
    ExecRange(WaitResume, WaitEnd);
    return 1;
}
