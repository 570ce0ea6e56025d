// The window's side on a real screen: the SDL window behind a window.
#pragma once
#include <SDL.h>

#include "platform/types.h"

namespace platform {

// The screen window of a window; null headless or when it has none.
SDL_Window* SdlWindowOf(Hwnd window);

}  // namespace platform
