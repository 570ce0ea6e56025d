// The script's Wait: a run stops and the one-second tick resumes it.
//
// Wait n stops the run and sets timer 0 to {0, n}. The run resumes once, after the statement of
// the Wait, on the n-th tick after it (a Wait of 0 or less on the next tick), or earlier on a tick
// that finds timer 0's counter equal to its non-zero limit (a script may set it so). The resumed
// run goes on to the end of the stream until it stops. Loading a script cancels a pending wait.
#pragma once
#include "script/limits.h"

struct ScriptTimer {
    int counter;
    int limit;
};
// The ten script timers, counted by the one-second tick; timer 0 also serves Wait.
extern ScriptTimer ScriptTimers[ScriptTimerCount];

extern int WaitResume;   // the offset after the Wait statement
extern int WaitEnd;      // the stream length at that moment
extern int WaitPending;  // 1 until the wait resumes or a script is loaded
extern int WaitTicks;    // ticks seen since the Wait
extern int WaitLength;   // the ticks it waits

void BeginWait(int ticks);
// Called on every tick of the one-second timer, before the script timers count; 1 when it resumed
// the waiting run.
int ResumeAfterWait();
