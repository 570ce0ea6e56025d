// Keyboard and mouse: the asynchronous key state with its "pressed since the last call" latch,
// the cursor position in client coordinates at display size, cursor visibility. The key-code
// translation and the handling of events are in input_detail.h, the injection of input for tests
// and headless runs in input_injection.h.
#pragma once
#include <cstdint>

#include "platform/types.h"

namespace platform {

// Bit 15 (KEY_DOWN_NOW): the key is down now. Bit 0 (KEY_PRESSED_SINCE): it went down since
// the previous call for that key (its repeats while held do not count). Reading clears the
// latch.
int16_t GetAsyncKeyState(int virtualKey);

// The cursor in the main window's client coordinates, scaled to the primary surface's size;
// when the pointer has left the window, its last position inside.
bool GetCursorPos(Point* point);

// Whether the cursor position is the pointer's over the main window now: true from the first
// pointer event in the window until the pointer leaves it.
bool PointerInWindow();
// Whether the main window has the keyboard and mouse: true until it loses the focus, and from
// when it gains it again.
bool HasInputFocus();

// Counts shows and hides; the cursor is visible while the count is 0 or more. Returns the count.
int ShowCursor(bool show);
bool CursorVisible();

// Forgets every key, the cursor position (no pointer in the window), a lost focus and the
// visibility count.
void ResetInput();

}  // namespace platform
