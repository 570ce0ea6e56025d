#include <gtest/gtest.h>

#include <vector>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/display.h"
#include "platform/draw_constants.h"
#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/window.h"

using namespace platform;

namespace {

LResult Quiet(Hwnd w, uint32_t m, WParam wp, LParam lp) { return DefWindowProc(w, m, wp, lp); }

HResult Collect(SurfaceDesc* mode, void* context) {
    static_cast<std::vector<DisplayMode>*>(context)->push_back(
        {mode->width, mode->height, mode->pixelFormat.rgbBitCount});
    return DDENUMRET_OK;
}

Size PrimaryOf(DirectDraw* dd) {
    SurfaceDesc d;
    d.flags = DDSD_CAPS;
    d.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_3DDEVICE;
    Surface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(d, &s), DD_OK);
    if (!s) return {};
    Size size{int32_t(s->Width()), int32_t(s->Height())};
    s->Release();
    return size;
}

TEST(Display, ModesFullScreenAndWindowSwitching) {
    SetHeadless(true);
    ResetWindows();
    ResetInput();
    WindowClass cls;
    cls.proc = Quiet;
    cls.className = "Main";
    ASSERT_TRUE(RegisterClass(cls));
    Hwnd main = CreateWindowEx(WS_EX_TOPMOST, "Main", "Main", WS_POPUP, 0, 0, 1, 1);
    ASSERT_NE(main, nullptr);

    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    std::vector<DisplayMode> modes;
    ASSERT_EQ(dd->EnumDisplayModes(0, nullptr, &modes, Collect), DD_OK);
    ASSERT_FALSE(modes.empty());
    bool has640 = false;
    for (const DisplayMode& m : modes) {
        EXPECT_EQ(m.bpp, 8u);
        EXPECT_LE(m.width, DesktopMode().width);
        has640 |= m.width == 640 && m.height == 480;
    }
    EXPECT_TRUE(has640);

    // Full screen: the primary surface has the mode's size; the pointer maps onto it.
    ASSERT_EQ(dd->SetCooperativeLevel(main, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    EXPECT_TRUE(FullScreenDisplay());
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(123, 456, 8), DDERR_INVALIDMODE);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 8), DD_OK);
    SurfaceDesc now;
    ASSERT_EQ(dd->GetDisplayMode(&now), DD_OK);
    EXPECT_EQ(now.width, 800u);
    EXPECT_EQ(now.pixelFormat.rgbBitCount, 8u);
    Size full = PrimaryOf(dd);
    EXPECT_EQ(full.cx, 800);
    EXPECT_EQ(full.cy, 600);
    InjectMouseMove(799, 900);
    Point p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 799);
    EXPECT_EQ(p.y, 599);

    // Releasing the object gives the screen back; a window's primary is its client area.
    dd->Release();
    EXPECT_FALSE(FullScreenDisplay());
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(main, DDSCL_NORMAL), DD_OK);
    SetWindowLong(main, GWL_STYLE, WS_CAPTION | WS_THICKFRAME);
    Rect want{0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRectEx(&want, WS_CAPTION | WS_THICKFRAME, false, 0));
    ASSERT_TRUE(SetWindowPos(main, HWND_NOTOPMOST, 0, 0, want.right - want.left,
                             want.bottom - want.top, SWP_NOMOVE | SWP_NOACTIVATE));
    Size windowed = PrimaryOf(dd);
    EXPECT_EQ(windowed.cx, 640);
    EXPECT_EQ(windowed.cy, 480);
    dd->Release();
    ResetWindows();
}

}  // namespace
