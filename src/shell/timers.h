// The script timers: ten {counter, limit} records (ScriptTimers, kept with the script's Wait)
// counted by the one-second tick, which runs the script's "Timer" state for each one that
// reaches its limit while the timers are enabled.
#pragma once

extern int FiredTimer;     // the timer that last ran the "Timer" state
extern int TimersEnabled;  // 1 while reaching a limit runs the "Timer" state

// One second: when the script defines a "Timer" state, every timer counts and each that
// reaches its limit runs the state (when enabled and running) and starts again from 0.
// 0 when there is no "Timer" state (nothing counts), else 1.
int TimerTick();

// initTimer: enables the timers and zeroes every counter and limit.
void ResetScriptTimers();
// setTimer: the counter, then by mode 0 the limit, 1 a random limit from 5 to limit - 1 (a
// limit of 5 or less is reported and becomes 5), any other mode leaves the limit. Timers
// outside 0..9 are ignored.
void SetScriptTimer(int index, int counter, int limit, int mode);
// toggleTimer: enabled for 1, disabled for anything else.
void EnableScriptTimers(int value);
// checkTimer: FiredTimer.
int GetFiredTimer();
