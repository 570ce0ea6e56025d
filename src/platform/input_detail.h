// The platform's own side of the keyboard and mouse: SDL's key codes turned into virtual-key
// codes, and the screen's events (or injected ones) turned into input state and messages.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace platform {

// The virtual-key code of a key (0 when it has none): letters and digits by their character,
// the keypad by NumLock (with it: the numbers and decimal point; without: the navigation keys,
// 5 giving VK_CLEAR); `extended` tells keys that a standard keyboard doubles.
int VirtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers,
                 bool* extended = nullptr);

// Takes a caught quit signal and every pending screen event, and turns them into input state
// and messages.
void PumpEvents();

// Turns one event (from the screen, or injected) into input state and messages.
void HandleEvent(const SDL_Event& event);

}  // namespace platform
