// The display as the drawing services see it: the mode set, full screen or not, the size of the
// main window's client area, and the table of modes offered.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace platform {

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bpp = 0;
};

// The modes offered, largest last; all 8 bits per pixel, none larger than the desktop.
std::vector<DisplayMode> OfferedDisplayModes();

// The desktop's own mode (what GetDisplayMode reports before any mode is set).
DisplayMode DesktopMode();
// The desktop without a screen (headless), which bounds the modes offered: HeadlessDesktop
// until set, and again after the reset. With a screen the screen's own desktop counts.
void SetHeadlessDesktop(const DisplayMode& desktop);
void ResetHeadlessDesktop();

// The mode set by SetDisplayMode; the desktop's when none.
DisplayMode CurrentDisplayMode();
void SetCurrentDisplayMode(const DisplayMode& mode);
void ResetDisplayMode();

// Whether the main window fills the screen (exclusive full-screen cooperation).
bool FullScreenDisplay();
void SetFullScreenDisplay(Hwnd window, bool on);

// The size of the primary surface: the display mode in full screen, the main window's client
// area otherwise.
Size PrimarySize();

// Kept by the window services: the main window's client size.
void SetClientSize(Size size);

}  // namespace platform
