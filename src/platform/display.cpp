#include "platform/display.h"

#include "platform/backend.h"
#include "platform/backend_detail.h"
#include "platform/limits.h"

namespace platform {
namespace {
bool gModeSet = false;
DisplayMode gMode;
const DisplayMode FirstHeadlessDesktop{HeadlessDesktop.width, HeadlessDesktop.height,
                                       HeadlessDesktopBpp};
DisplayMode gHeadlessDesktop = FirstHeadlessDesktop;
bool gFullScreen = false;
Size gClient{static_cast<int32_t>(DefaultClient.width), static_cast<int32_t>(DefaultClient.height)};
}  // namespace

DisplayMode DesktopMode() {
    DisplayMode desktop = gHeadlessDesktop;
    BackendDesktopMode(desktop);
    return desktop;
}

std::vector<DisplayMode> OfferedDisplayModes() {
    DisplayMode desktop = DesktopMode();
    std::vector<DisplayMode> modes;
    for (const ModeSize& m : OfferedModes) {
        if (m.width <= desktop.width && m.height <= desktop.height) {
            modes.push_back(DisplayMode{m.width, m.height, ModeBpp});
        }
    }
    return modes;
}

void SetHeadlessDesktop(const DisplayMode& desktop) { gHeadlessDesktop = desktop; }

void ResetHeadlessDesktop() { gHeadlessDesktop = FirstHeadlessDesktop; }

DisplayMode CurrentDisplayMode() { return gModeSet ? gMode : DesktopMode(); }

void SetCurrentDisplayMode(const DisplayMode& mode) {
    gMode = mode;
    gModeSet = true;
}

void ResetDisplayMode() { gModeSet = false; }

bool FullScreenDisplay() { return gFullScreen; }

void SetFullScreenDisplay(Hwnd window, bool on) {
    gFullScreen = on;
    BackendSetFullScreen(window, on);
}

Size PrimarySize() {
    if (gFullScreen && gModeSet) {
        return Size{static_cast<int32_t>(gMode.width), static_cast<int32_t>(gMode.height)};
    }
    return gClient;
}

void SetClientSize(Size size) { gClient = size; }

}  // namespace platform
