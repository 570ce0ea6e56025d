// Input put in by tests and headless runs, in SDL's terms; it goes the way of the screen's events.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace platform {

// Injected input goes the same way as the screen's events. Positions are window coordinates
// (headless: client coordinates at display size). Modifiers are SDL's KMOD_* bits.
void InjectKey(SDL_Scancode scancode, bool down, uint16_t modifiers = KMOD_NONE,
               bool repeat = false);
void InjectMouseMove(int32_t x, int32_t y);
void InjectMouseButton(uint8_t button, bool down, int32_t x, int32_t y);
// A window event of the main window (SDL_WINDOWEVENT_LEAVE, _FOCUS_LOST, ...).
void InjectWindowEvent(uint8_t windowEvent);
void InjectCloseRequest();

}  // namespace platform
