// The keys: the held keys polled once a pass (walking, eye height, horizon, view reset, full
// screen, Escape), and the key messages with the fixed bindings and the function keys that
// scripts bind to states.
#pragma once
#include <cstdint>

#include "platform/window.h"
#include "shell/limits.h"

// The script state each virtual key runs; -1 unbound. Only F4 to F10 are read.
extern int32_t KeyBindingTable[KeyBindingCount];

// The script command SetKeyState: binds the key to the named state; the state id, -1 when
// there is no such state or the key is outside the table.
int SetKeyState(int virtualKey, const char* stateName);

// Once a main-loop pass: the first held key of the polled set acts. 1 only when Escape ended
// the program.
int PollKeyboard();
// WM_KEYDOWN, WM_KEYUP and WM_SYSKEYUP: 1 handled, 0 failed, else DefWindowProc's result.
int HandleKeyMessage(uint32_t message, platform::WParam virtualKey, platform::LParam lParam);
