// The input state (the cursor, the last click, the switches of the status displays, the room
// script F11 loads next) and the mouse messages: the cursor image by screen zone, picking with a
// left click, the cursor cycle of the right button. The keys: keyboard.h and robot_keys.h.
#pragma once
#include <cstdint>

#include "platform/window.h"
#include "shell/limits.h"

struct PickRecord;

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

// Start values of the input state and every key unbound.
void InitInputState();
// What a fresh process starts with and a start-up leaves as it finds it: the status displays,
// the view switches, the room script F11 loads next, the last click, the planner's settings and
// the robots' debug entry.
void ResetProcessSwitches();

// The keyword SetCursor: the active cursor number and its item; returns the new item.
int SetActiveCursor(int n);
// The keyword CheckActiveCursor: the active cursor number.
int GetActiveCursor();

// The mouse messages. Always 1.
int OnMouseMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam);

// What the renderer draws at a screen position (display coordinates, scaled to the view): the
// picker's pixel, hit and kind. Nothing is hit without a level, a back buffer or a view, or for
// a position outside the view.
void PickObjectAt(PickRecord& picker, int x, int y);
