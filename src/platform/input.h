// Keyboard and mouse: the asynchronous key state with its "pressed since the last call" latch,
// the cursor position in client coordinates at display size, cursor visibility, key-code
// translation, and the injection of input for tests and headless runs.
#pragma once
#include <SDL.h>

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

// The virtual-key code of a key (0 when it has none): letters and digits by their character,
// the keypad by NumLock (with it: the numbers and decimal point; without: the navigation keys,
// 5 giving VK_CLEAR); `extended` tells keys that a standard keyboard doubles.
int VirtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers,
                 bool* extended = nullptr);

// Injected input goes the same way as the screen's events. Positions are window coordinates
// (headless: client coordinates at display size). Modifiers are SDL's KMOD_* bits.
void InjectKey(SDL_Scancode scancode, bool down, uint16_t modifiers = KMOD_NONE,
               bool repeat = false);
void InjectMouseMove(int32_t x, int32_t y);
void InjectMouseButton(uint8_t button, bool down, int32_t x, int32_t y);
// A window event of the main window (SDL_WINDOWEVENT_LEAVE, _FOCUS_LOST, ...).
void InjectWindowEvent(uint8_t windowEvent);
void InjectCloseRequest();

// Forgets every key, the cursor position (no pointer in the window), a lost focus and the
// visibility count.
void ResetInput();

}  // namespace platform
