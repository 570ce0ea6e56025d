// Keyboard and mouse: the held keys polled once a pass (walking, eye height, horizon, view
// reset, full screen, Escape), the key messages with the fixed bindings and the function keys
// that scripts bind to states, and the mouse messages: the cursor image by screen zone, picking
// with a left click, the cursor cycle of the right button.
#pragma once
#include <cstdint>

#include "platform/window.h"
#include "shell/limits.h"

struct PickRecord;

// The script state each virtual key runs; -1 unbound. Only F4 to F10 are read.
extern int32_t KeyBindingTable[KeyBindingCount];
// The inner screen rectangle (left, top, right, bottom) outside which the cursor shows an edge
// arrow; a tenth of the start-up display size in from each edge.
extern int32_t ScreenBounds[4];
extern int32_t CursorItem;      // the overlay item drawn at the cursor each frame; 0 none
extern int32_t CursorNumber;    // the script's active cursor
extern int32_t CursorBase;      // the overlay item of cursor number 0
extern int32_t PickCursorItem;  // the cursor item that a left click advances
// The last left click: the id of the map object under the cursor, ClickedCubeId for a side of
// the clickable cube, -1 for anything else.
extern int32_t ClickedId;
extern int32_t ClickToggle;    // flipped by each click on the toggling object
extern int32_t ShowFrameRate;  // the two status displays, switched with Space
extern int32_t ShowInfo;
extern int32_t RoomScriptToggle;  // which room script F11 loads next

// The robots' debug entry: the state (DebugIdle ... DebugHotSpotNumber), the robot chosen and
// the numbers typed so far.
extern int32_t DebugEntryState;
extern int32_t DebugRobot;
extern int32_t DebugTextLength;
extern char DebugTextX[DebugTextSize];  // the first number, or the hot-spot number
extern char DebugTextZ[DebugTextSize];  // the second number

// Start values of the input state and every key unbound.
void InitInputState();
// What a fresh process starts with and a start-up leaves as it finds it: the status displays,
// the view switches, the room script F11 loads next, the last click, the planner's settings and
// the robots' debug entry.
void ResetProcessSwitches();

// The script command SetKeyState: binds the key to the named state; the state id, -1 when
// there is no such state or the key is outside the table.
int SetKeyState(int virtualKey, const char* stateName);
// The keyword SetCursor: the active cursor number and its item; returns the new item.
int SetActiveCursor(int n);
// The keyword CheckActiveCursor: the active cursor number.
int GetActiveCursor();

// Once a main-loop pass: the first held key of the polled set acts. 1 only when Escape ended
// the program.
int PollKeyboard();
// WM_KEYDOWN, WM_KEYUP and WM_SYSKEYUP: 1 handled, 0 failed, else DefWindowProc's result.
int HandleKeyMessage(uint32_t message, platform::WParam virtualKey, platform::LParam lParam);
// The mouse messages. Always 1.
int OnMouseMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam);

// A key for the robots' debug entry, while the planner switches it on: 1 when the key was taken.
int HandleRobotDebugKey(int key);
// Sends a robot to a world point, or to a hot spot as its own character; the planner's result.
int RobotDebugSendTo(int robot, float x, float z);
int RobotDebugSendToHotSpot(int robot, int n);

// What the renderer draws at a screen position (display coordinates, scaled to the view): the
// picker's pixel, hit and kind. Nothing is hit without a level, a back buffer or a view, or for
// a position outside the view.
void PickObjectAt(PickRecord& picker, int x, int y);
