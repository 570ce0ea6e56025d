#include "shell/timers.h"

#include <cstdint>

#include "platform/message_box.h"
#include "platform/random.h"
#include "script/events.h"
#include "script/limits.h"
#include "script/parser.h"
#include "script/states.h"
#include "script/wait.h"
#include "shell/limits.h"
#include "shell/messages.h"

int FiredTimer = 0;
int TimersEnabled = 0;

int TimerTick() {
    if (FindState(TimerStateName) < 0) {
        return 0;
    }
    for (int j = 0; j < ScriptTimerCount; ++j) {
        ScriptTimer& timer = ScriptTimers[j];
        // A timer whose limit is never met keeps counting; let it wrap rather than overflow.
        timer.counter = static_cast<int>(static_cast<uint32_t>(timer.counter) + 1u);
        if (timer.counter != timer.limit) {
            continue;
        }
        if (RunMode == RunModeRun && TimersEnabled == 1) {
            FiredTimer = j;
            RaiseTimerEvent();
        }
        ScriptTimers[j].counter = 0;
    }
    return 1;
}

void ResetScriptTimers() {
    TimersEnabled = 1;
    for (ScriptTimer& timer : ScriptTimers) {
        timer = {0, 0};
    }
}

void SetScriptTimer(int index, int counter, int limit, int mode) {
    if (index < 0 || index >= ScriptTimerCount) {
        return;
    }
    ScriptTimer& timer = ScriptTimers[index];
    timer.counter = counter;
    if (mode == 0) {
        timer.limit = limit;
    } else if (mode == 1) {
        if (limit <= MinRandomTimerLimit) {
            platform::MessageBox(TimerLimitTooSmallText, SetTimeCaption, platform::MB_OK);
            timer.limit = MinRandomTimerLimit;
        } else {
            timer.limit = platform::Rand() % (limit - MinRandomTimerLimit) + MinRandomTimerLimit;
        }
    }
}

void EnableScriptTimers(int value) { TimersEnabled = value == 1 ? 1 : 0; }

int GetFiredTimer() { return FiredTimer; }
