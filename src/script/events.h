// How the rest of the game drives the script engine: start-up, loading a script, the four
// events ("Event", "Motion", "HotSpot", "Timer") and the end of a move.
#pragma once

// Once at start-up: an empty stream, the placeholder state, compile mode, every table empty.
void InitScriptEngine();

// Replaces the running script by the file's and runs it from its beginning; RunScript's result.
int LoadScript(const char* fileName);

// Run the event's state; 0 when the script defines none, else 1 (nothing runs outside run mode).
int RaiseEvent();
int RaiseMotionEvent(int object, int motion);
int RaiseHotSpotEvent(int hotSpot, int value);

// A finished move: a step state takes its next step, any other state raises "Motion".
void TriggerState(int object, int row, int state);

// What the last "Motion" and "HotSpot" events were raised with.
struct MotionEventRecord {
    int object;
    int motion;
};
struct HotSpotEventRecord {
    int objectValue;  // recorded only by the form a finished move raises (hot spot -99)
    int value;
    int hotSpot;
};
extern MotionEventRecord MotionEventArgs;
extern HotSpotEventRecord HotSpotEventArgs;

// Selector 0: the object, 1: the motion, else 0.
int GetMotionEventArg(int selector);
// Selector 0: the object value, 1: the value, else the hot spot.
int GetHotSpotEventArg(int selector);

// The "Timer" state, run by the one-second tick for each timer that reaches its limit; 0 when the
// script defines none, else 1.
int RaiseTimerEvent();
