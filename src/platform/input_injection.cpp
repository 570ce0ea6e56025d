#include "platform/input_injection.h"

#include "platform/input_detail.h"

namespace platform {

void InjectKey(SDL_Scancode scancode, bool down, uint16_t modifiers, bool repeat) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_SCANCODE_TO_KEYCODE(scancode);
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        e.key.keysym.sym = SDLK_a + (scancode - SDL_SCANCODE_A);
    }
    e.key.keysym.mod = modifiers;
    HandleEvent(e);
}

void InjectMouseMove(int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    HandleEvent(e);
}

void InjectMouseButton(uint8_t button, bool down, int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    HandleEvent(e);
}

void InjectWindowEvent(uint8_t windowEvent) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = windowEvent;
    HandleEvent(e);
}

void InjectCloseRequest() { InjectWindowEvent(SDL_WINDOWEVENT_CLOSE); }

}  // namespace platform
