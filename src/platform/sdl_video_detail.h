// Links between the window, input and presentation services on a real screen.
#pragma once
#include <SDL.h>

#include "platform/types.h"

namespace platform {

// The screen window of a window; null headless or when it has none.
SDL_Window* SdlWindowOf(Hwnd window);

// Drops what the presenter keeps for a screen window that is about to go.
void ForgetScreenWindow(SDL_Window* window);

// Where the picture lies inside the screen window, in window coordinates; the input services
// map pointer positions through it onto the primary surface.
SDL_Rect PictureArea(SDL_Window* window);

}  // namespace platform

namespace platform {
// Shows the last presented picture again (after the window was uncovered or resized).
void RedrawPresented();

// The renderer that presents into the window's screen window, made on first use; others that
// draw into the window (a dialog) use this one, as a window has only one. Null headless.
SDL_Renderer* ScreenRenderer(Hwnd window);
}  // namespace platform
