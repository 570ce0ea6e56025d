// The presenter's links to the rest of the platform: the primary surface registers itself and
// hands over each change of its pixels or palette; the window and input services reach the
// screen window's picture, its renderer and its redrawing.
#pragma once
#include <SDL.h>

#include "platform/presenter.h"
#include "platform/types.h"

namespace platform {

// Registers the one primary surface alive (null when none); called by the surface itself.
void SetPrimarySurface(Surface* surface);

// Turns the primary surface into the presented picture and shows it.
void PresentPrimary(const Surface& primary);

// Drops what the presenter keeps for a screen window that is about to go.
void ForgetScreenWindow(SDL_Window* window);

// Where the picture lies inside the screen window, in window coordinates; the input services
// map pointer positions through it onto the primary surface.
SDL_Rect PictureArea(SDL_Window* window);

// Shows the last presented picture again (after the window was uncovered or resized).
void RedrawPresented();

// The renderer that presents into the window's screen window, made on first use; others that
// draw into the window (a dialog) use this one, as a window has only one. Null headless.
SDL_Renderer* ScreenRenderer(Hwnd window);

}  // namespace platform
