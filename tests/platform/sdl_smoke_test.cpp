// Opens a real window when a display is there (for instance under xvfb-run); skipped otherwise.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/input.h"
#include "platform/presenter.h"
#include "platform/window.h"
#include "platform/window_detail.h"

using namespace platform;

namespace {

LResult Quiet(Hwnd w, uint32_t m, WParam wp, LParam lp) { return DefWindowProc(w, m, wp, lp); }

TEST(SdlSmoke, WindowShowsPacedFramesTakesScreenEventsAndFillsTheScreen) {
#if defined(__SANITIZE_ADDRESS__)
    // The desktop's bus and graphics libraries keep blocks for the life of the process, which
    // the leak checker would blame on this test; the headless tests cover our code there.
    GTEST_SKIP() << "not under the address sanitizer";
#endif
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no display";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    SetHeadless(false);
    if (Headless()) {
        SetHeadless(true);
        GTEST_SKIP() << "the display cannot be opened";
    }

    ResetWindows();
    WindowClass cls;
    cls.proc = Quiet;
    cls.className = "Smoke";
    ASSERT_TRUE(RegisterClass(cls));
    Hwnd main = CreateWindowEx(0, "Smoke", "Smoke", WS_POPUP, 0, 0, 1, 1);
    ASSERT_NE(main, nullptr);
    ASSERT_NE(SdlWindowOf(main), nullptr);
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(main, DDSCL_NORMAL), DD_OK);
    SetWindowLong(main, GWL_STYLE, WS_CAPTION | WS_THICKFRAME);
    ASSERT_TRUE(SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 320, 240, SWP_NOMOVE));
    ShowWindow(main, SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(main));

    SurfaceDesc d;
    d.flags = DDSD_CAPS;
    d.caps = DDSCAPS_PRIMARYSURFACE;
    Surface* front = nullptr;
    ASSERT_EQ(dd->CreateSurface(d, &front), DD_OK);
    EXPECT_EQ(front->Width(), 320u);
    PaletteEntries colours{};
    colours[7] = PaletteEntry{0, 200, 40, 0};
    Palette* pal = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, colours.data(), &pal), DD_OK);
    ASSERT_EQ(front->SetPalette(pal), DD_OK);

    BltFx fx;
    fx.fillColor = 7;
    uint32_t start = SDL_GetTicks();
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(front->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
        Msg m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
    }
    // Four pictures at about 30 a second take at least three intervals.
    EXPECT_GE(SDL_GetTicks() - start, 3u * 30u);
    EXPECT_EQ(PresentedFrame().Pixel(10, 10), 0x00C828u);

    // Screen events come through the queue as messages.
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = SDL_GetWindowID(SdlWindowOf(main));
    key.key.keysym.scancode = SDL_SCANCODE_F11;
    key.key.keysym.sym = SDLK_F11;
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    int w = 0, h = 0;
    SDL_GetWindowSize(SdlWindowOf(main), &w, &h);
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = key.key.windowID;
    move.motion.x = w / 2;
    move.motion.y = h / 2;
    ASSERT_EQ(SDL_PushEvent(&move), 1);
    bool sawKey = false, sawMove = false;
    Msg m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        sawKey |= m.message == WM_KEYDOWN && m.wParam == WParam(VK_F11);
        sawMove |= m.message == WM_MOUSEMOVE;
    }
    EXPECT_TRUE(sawKey);
    EXPECT_TRUE(sawMove);
    Point p;
    GetCursorPos(&p);
    EXPECT_NEAR(p.x, 160, 2);
    EXPECT_NEAR(p.y, 120, 2);

    // Full screen and back.
    ASSERT_EQ(dd->SetCooperativeLevel(main, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    EXPECT_NE(SDL_GetWindowFlags(SdlWindowOf(main)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    ASSERT_EQ(dd->SetCooperativeLevel(main, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindowOf(main)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);

    front->Release();
    pal->Release();
    dd->Release();
    ResetWindows();
    SDL_Quit();
    SetHeadless(true);
}

}  // namespace
