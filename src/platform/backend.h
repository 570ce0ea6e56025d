// The choice between a real screen (SDL) and the headless backend, and the few services that
// differ between them. Headless: no window, no device; boxes recorded, input injected.
#pragma once

#include "platform/display.h"
#include "platform/types.h"

namespace platform {

// True when there is no screen to show things on: chosen by SetHeadless, or when the video
// driver is the dummy or offscreen one, or when SDL's video cannot start.
bool Headless();
void SetHeadless(bool headless);

// With a screen: the desktop's mode in `mode`; headless: `mode` is left as it is.
void BackendDesktopMode(DisplayMode& mode);
// With a screen: makes the window fill the screen or returns it to a window.
void BackendSetFullScreen(Hwnd window, bool on);

}  // namespace platform
