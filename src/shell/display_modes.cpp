// The table of full-screen modes, and applying the mode asked for.
#include <cstdlib>

#include "base/report_error.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "shell/app.h"
#include "shell/ddraw_setup.h"
#include "shell/devices.h"
#include "shell/direct_x.h"
#include "shell/display_modes.h"
#include "shell/messages.h"
#include "shell/shutdown.h"
#include "world/player.h"

using platform::Failed;

namespace {

int Fail(const char* text) {
    platform::MessageBox(text, ErrorCaption, platform::MB_OK);
    return 0;
}

// The renderer keeps one table entry per view column and row; the view is three quarters of
// the display in each direction.
bool ViewFits(int32_t width, int32_t height) {
    return width - width / 4 <= MaxViewSide && height - height / 4 <= MaxViewSide;
}

bool IsWindowMode(const DisplayMode& m) {
    return m.width == WindowModeWidth && m.height == WindowModeHeight && m.bpp == WindowModeBpp;
}

bool HasWindowMode() {
    for (int i = 0; i < DisplayModeCount; ++i) {
        if (IsWindowMode(DisplayModes[i])) return true;
    }
    return false;
}

bool RendersTo8Bits() {
    const DriverRecord& driver = Drivers[ChosenDriver];
    const uint32_t depths = (driver.hardware.flags & platform::D3DDD_DEVICERENDERBITDEPTH)
                                ? driver.hardware.deviceRenderBitDepth
                                : driver.software.deviceRenderBitDepth;
    return (depths & platform::DDBD_8) != 0;
}

}  // namespace

platform::HResult EnumDisplayModesCallback(platform::SurfaceDesc* mode, void*) {
    if (mode->pixelFormat.rgbBitCount != 8 || !RendersTo8Bits()) return platform::DDENUMRET_OK;
    const DisplayMode row{static_cast<int32_t>(mode->width), static_cast<int32_t>(mode->height), 8};
    if (!ViewFits(row.width, row.height)) return platform::DDENUMRET_OK;
    // The last row is kept for the window's mode until it has been seen.
    const int room = HasWindowMode() || IsWindowMode(row) ? MaxDisplayModes : MaxDisplayModes - 1;
    if (DisplayModeCount < room) DisplayModes[DisplayModeCount++] = row;
    return platform::DDENUMRET_OK;
}

int CompareDisplayModes(const void* a, const void* b) {
    const DisplayMode& x = *static_cast<const DisplayMode*>(a);
    const DisplayMode& y = *static_cast<const DisplayMode*>(b);
    if (x.bpp != y.bpp) return x.bpp > y.bpp ? -1 : 1;
    if (x.width != y.width) return x.width > y.width ? -1 : 1;
    if (x.height != y.height) return x.height > y.height ? -1 : 1;
    return 0;
}

int EnumerateDisplayModes() {
    platform::DDCaps driver, emulation;
    if (Failed(DDrawObject->GetCaps(&driver, &emulation))) {
        FullScreen = 0;
        return Fail(ModesGetCapsFailedText);
    }
    DisplayModeCount = 0;
    if (Failed(DDrawObject->EnumDisplayModes(0, nullptr, nullptr, EnumDisplayModesCallback))) {
        return Fail(EnumDisplayModesFailedText);
    }
    std::qsort(DisplayModes, static_cast<size_t>(DisplayModeCount), sizeof(DisplayMode),
               CompareDisplayModes);
    // The window's mode when the display offers it, else the largest.
    ChosenDisplayMode = 0;
    for (int i = 0; i < DisplayModeCount; ++i) {
        if (IsWindowMode(DisplayModes[i])) ChosenDisplayMode = i;
    }
    // With nothing listed the chosen row is no mode, and full screen is refused.
    if (DisplayModeCount == 0) DisplayModes[0] = DisplayMode{};
    return 1;
}

int ClearBuffers() {
    platform::Surface* surfaces[] = {FrontBuffer, BackBuffer};
    for (platform::Surface* surface : surfaces) {
        platform::SurfaceDesc desc;
        if (!ReadSurfaceDesc(&desc, surface)) return 0;
        platform::Rect all{0, 0, static_cast<int32_t>(desc.width),
                           static_cast<int32_t>(desc.height)};
        platform::BltFx fx;
        fx.fillColor = 0;
        if (Failed(surface->Blt(&all, nullptr, nullptr,
                                platform::DDBLT_COLORFILL | platform::DDBLT_WAIT, &fx))) {
            return Fail(ClearingBltFailedText);
        }
    }
    return 1;
}

int ApplyDisplayMode() {
    // Nothing to apply before start-up has made the drawing objects, or after the shutdown.
    if (QuitDone || !DDrawObject) return 0;
    // The chosen row outlives the listing's count, which the full-screen keys clear; it is no
    // mode when the display offers none the game can use, and the window stays.
    if (FullScreen && DisplayModes[ChosenDisplayMode].width <= 0) {
        Fail(ModeNotSupportedText);
        FullScreen = 0;
    }
    if (FullScreen && !ClearBuffers()) return 1;
    RenderingStopped = 1;
    const int32_t oldBpp = DisplayBpp;
    if (FullScreen) {
        const DisplayMode& m = DisplayModes[ChosenDisplayMode];
        DisplayWidth = m.width;
        DisplayHeight = m.height;
        DisplayBpp = m.bpp;
    } else {
        DisplayWidth = WindowModeWidth;
        DisplayHeight = WindowModeHeight;
        DisplayBpp = WindowModeBpp;
    }
    bool made = true;
    if (FullScreen == WasFullScreen && DisplayBpp == oldBpp) {
        ReleaseRenderObjects();
    } else {
        ReleaseAll();
        made = InitDirectDraw() && CreateD3DRM();
    }
    if (!made || !CreateDevices()) {
        // The game cannot go on without its drawing objects.
        EndedByFault = true;
        ShutdownApp();
        return 0;
    }
    WasFullScreen = FullScreen;
    RenderingStopped = 0;
    // A tilt that a smaller view cannot show whole is brought back within it.
    HorizonOffset = WholeViewHorizon(HorizonOffset);
    return 1;
}
