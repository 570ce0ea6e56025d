#include "shell/status_displays.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "platform/direct3d.h"
#include "platform/draw_constants.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/limits.h"
#include "shell/messages.h"

StatusFigures StatusDisplay{};

namespace {

platform::Hfont StatusFont = nullptr;

void Report(const char* text) { platform::MessageBox(text, ErrorCaption, platform::MB_OK); }

platform::Size MeasureOnScreen(const char* text) {
    platform::Size size;
    platform::Hdc dc = platform::GetDC(nullptr);
    if (dc) {
        platform::SelectObject(dc, StatusFont);
        platform::GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
        platform::ReleaseDC(nullptr, dc);
    }
    return size;
}

// A status surface of the size given, colour 0 transparent; null after the report.
platform::Surface* CreateStatusSurface(platform::Size size) {
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.caps =
        platform::DDSCAPS_OFFSCREENPLAIN |
        (SystemMemorySurfaces ? platform::DDSCAPS_SYSTEMMEMORY : platform::DDSCAPS_VIDEOMEMORY);
    desc.width = static_cast<uint32_t>(std::max(size.cx, 1));
    desc.height = static_cast<uint32_t>(std::max(size.cy, 1));
    platform::Surface* surface = nullptr;
    if (!DDrawObject || DDrawObject->CreateSurface(desc, &surface) != platform::DD_OK) {
        Report(StatusSurfaceFailedText);
        return nullptr;
    }
    platform::ColorKey key;
    surface->SetColorKey(platform::DDCKEY_SRCBLT, &key);
    return surface;
}

// Draws the text yellow on black at the surface's top-left corner; its extent goes to `size`.
int DrawStatusText(platform::Surface* surface, const char* text, const char* failure,
                   platform::Size* size) {
    platform::Hdc dc = nullptr;
    if (!surface || surface->GetDC(&dc) != platform::DD_OK) {
        Report(failure);
        return 0;
    }
    const int length = static_cast<int>(std::strlen(text));
    platform::SelectObject(dc, StatusFont);
    platform::SetTextColor(dc, StatusTextColour);
    platform::SetBkColor(dc, StatusBackColour);
    platform::SetBkMode(dc, platform::OPAQUE);
    platform::GetTextExtentPoint32(dc, text, length, size);
    const platform::Rect extent{0, 0, size->cx, size->cy};
    platform::ExtTextOut(dc, 0, 0, platform::ETO_OPAQUE, &extent, text, length);
    surface->ReleaseDC(dc);
    return 1;
}

// Blits the text's extent of a status surface onto the back buffer; 0 after the report.
int BlitStatus(platform::Surface* surface, platform::Size size, uint32_t x, uint32_t y,
               const char* failure) {
    const platform::Rect source{0, 0, std::min<int32_t>(size.cx, surface->Width()),
                                std::min<int32_t>(size.cy, surface->Height())};
    if (BackBuffer->BltFast(x, y, surface, &source,
                            platform::DDBLTFAST_SRCCOLORKEY | platform::DDBLTFAST_WAIT) !=
        platform::DD_OK) {
        Report(failure);
        return 0;
    }
    return 1;
}

}  // namespace

int CreateStatusSurfaces() {
    if (StatusFont) {
        platform::DeleteObject(StatusFont);
    }
    const int height =
        DisplayWidth <= SmallStatusDisplayWidth ? SmallStatusFontHeight : LargeStatusFontHeight;
    StatusFont =
        platform::CreateFont(height, platform::FW_NORMAL, platform::VARIABLE_PITCH, StatusFontFace);
    StatusDisplay.frameRateSize = MeasureOnScreen(FrameRateTemplate);
    StatusDisplay.infoSize = MeasureOnScreen(InfoTemplate);
    if (FrameRateSurface) {
        FrameRateSurface->Release();
    }
    FrameRateSurface = CreateStatusSurface(StatusDisplay.frameRateSize);
    if (!FrameRateSurface || !FormatFrameRate()) {
        return 0;
    }
    if (InfoSurface) {
        InfoSurface->Release();
    }
    InfoSurface = CreateStatusSurface(StatusDisplay.infoSize);
    return InfoSurface ? 1 : 0;
}

int FormatFrameRate() {
    char rate[StatusTextSize] = "";
    char triangles[StatusTextSize] = "";
    const int hundredths = static_cast<int>(StatusDisplay.framesPerSecond * 100.0f);
    if (hundredths != 0) {
        std::snprintf(rate, sizeof rate, FrameRateFormat, hundredths / 100, hundredths % 100);
    }
    if (StatusDisplay.trianglesPerSecond >= 1) {
        std::snprintf(triangles, sizeof triangles, TrianglesFormat,
                      static_cast<long>(StatusDisplay.trianglesPerSecond));
    }
    char text[3 * StatusTextSize];
    std::snprintf(text, sizeof text, StatusJoinFormat, rate, triangles, "");
    return DrawStatusText(FrameRateSurface, text, FrameRateDCFailedText,
                          &StatusDisplay.frameRateSize);
}

int FormatInfo() {
    char text[StatusTextSize];
    std::snprintf(text, sizeof text, InfoFormat, DisplayWidth, DisplayHeight, DisplayBpp,
                  ColorModel == platform::D3DCOLOR_MONO ? MonoColourModelName : RgbColourModelName);
    return DrawStatusText(InfoSurface, text, InfoDCFailedText, &StatusDisplay.infoSize);
}

int ResetFrameRate() {
    StatusDisplay.startTime = platform::Milliseconds();
    StatusDisplay.frameCounter = 0;
    StatusDisplay.framesSinceMeasure = 0;
    StatusDisplay.framesPerSecond = 0.0f;
    StatusDisplay.trianglesPerSecond = 0;
    StatusDisplay.trianglesAtMeasure = 0;
    return 1;
}

int DrawFrameRate() {
    ++StatusDisplay.frameCounter;
    ++StatusDisplay.framesSinceMeasure;
    if (StatusDisplay.frameCounter % FrameRateInterval != 0) {
        return 1;
    }
    const uint32_t now = platform::Milliseconds();
    const double elapsed = (now - StatusDisplay.startTime) / 1000.0;
    StatusDisplay.startTime = now;
    platform::D3DStats stats;
    if (D3DDevice) {
        D3DDevice->GetStats(&stats);
    }
    const uint32_t triangles = stats.trianglesDrawn - StatusDisplay.trianglesAtMeasure;
    StatusDisplay.trianglesAtMeasure = stats.trianglesDrawn;
    if (elapsed > 0.0) {
        // Within one clock tick there is no rate to tell; the last one stands.
        StatusDisplay.framesPerSecond =
            static_cast<float>(StatusDisplay.framesSinceMeasure / elapsed);
        StatusDisplay.trianglesPerSecond =
            static_cast<int32_t>(std::min(triangles / elapsed, 2147483647.0));
    }
    StatusDisplay.framesSinceMeasure = 0;
    if (ShowFrameRate) {
        return FormatFrameRate();
    }
    return 1;
}

int DrawInfo() {
    if (!BackBuffer || !RMViewport) {
        return 1;
    }
    const int32_t viewWidth = RMViewport->GetWidth();
    const int32_t viewHeight = RMViewport->GetHeight();
    const platform::Size rate = StatusDisplay.frameRateSize;
    if (ShowFrameRate && FrameRateSurface && rate.cx > 0 && rate.cy > 0 && rate.cx < DisplayWidth &&
        rate.cy < DisplayHeight) {
        const uint32_t x = static_cast<uint32_t>(viewWidth - rate.cx) / 2;
        if (!BlitStatus(FrameRateSurface, rate, x, 0, FrameRateBltFailedText)) {
            return 0;
        }
    }
    const platform::Size info = StatusDisplay.infoSize;
    if (ShowInfo && InfoSurface && info.cx > 0 && info.cy > 0 && info.cx < DisplayWidth &&
        info.cy < DisplayHeight) {
        const uint32_t x = static_cast<uint32_t>(viewWidth - info.cx) / 2;
        const uint32_t y = static_cast<uint32_t>(viewHeight - info.cy);
        if (!BlitStatus(InfoSurface, info, x, y, InfoBltFailedText)) {
            return 0;
        }
    }
    return 1;
}
