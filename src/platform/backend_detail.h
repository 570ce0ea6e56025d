// The platform's services that differ between a real screen and the headless backend.
#pragma once
#include "platform/display.h"
#include "platform/types.h"

namespace platform {

// With a screen: the desktop's mode in `mode`; headless: `mode` is left as it is.
void BackendDesktopMode(DisplayMode& mode);
// With a screen: makes the window fill the screen or returns it to a window.
void BackendSetFullScreen(Hwnd window, bool on);

}  // namespace platform
