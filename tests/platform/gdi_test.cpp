#include <gtest/gtest.h>

#include <cstring>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/gdi.h"

using namespace platform;

namespace {

// Draws the text as the status displays do: yellow on black, opaque, at (0, 0) in its extent.
struct Drawn {
    Size extent;
    int textPixels = 0;  // pixels of the text colour inside the extent
    int outside = 0;     // pixels changed outside the extent
    bool backgroundFilled = true;
};

// A plain off-screen surface of the given size, and the DirectDraw object that made it.
Surface* PlainSurface(DirectDraw*& dd, uint32_t width, uint32_t height) {
    dd = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    SurfaceDesc d;
    d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.width = width;
    d.height = height;
    Surface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(d, &s), DD_OK);
    return s;
}

Drawn DrawStatusText(int height, const char* text) {
    PaletteEntries colours{};
    colours[0] = PaletteEntry{0, 0, 0, 0};
    colours[5] = PaletteEntry{255, 255, 0, 0};
    colours[9] = PaletteEntry{250, 250, 250, 0};
    DirectDraw* dd = nullptr;
    Surface* s = PlainSurface(dd, 400, 40);
    Palette* pal = nullptr;
    EXPECT_EQ(dd->CreatePalette(DDPCAPS_8BIT, colours.data(), &pal), DD_OK);
    s->SetPalette(pal);
    BltFx fx;
    fx.fillColor = 9;
    s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);

    Drawn out;
    Hfont font = CreateFont(height, FW_NORMAL, VARIABLE_PITCH, "Arial");
    EXPECT_NE(font, nullptr);
    Hdc screen = GetDC(nullptr);
    SelectObject(screen, font);
    EXPECT_TRUE(GetTextExtentPoint32(screen, text, int(std::strlen(text)), &out.extent));
    ReleaseDC(nullptr, screen);

    Hdc dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DD_OK);
    SurfaceDesc busy;
    EXPECT_EQ(s->Lock(nullptr, &busy, DDLOCK_WAIT), DDERR_SURFACEBUSY);
    SelectObject(dc, font);
    SetTextColor(dc, Rgb(255, 255, 0));
    SetBkColor(dc, Rgb(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    Rect box{0, 0, out.extent.cx, out.extent.cy};
    EXPECT_TRUE(ExtTextOut(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, text, int(std::strlen(text))));
    EXPECT_EQ(s->ReleaseDC(dc), DD_OK);

    for (uint32_t y = 0; y < s->Height(); ++y) {
        for (uint32_t x = 0; x < s->Width(); ++x) {
            uint8_t p = s->Pixels()[y * s->Pitch() + x];
            bool inside = int(x) < out.extent.cx && int(y) < out.extent.cy;
            if (!inside) {
                out.outside += p != 9;
            } else if (p == 5) {
                ++out.textPixels;
            } else if (p != 0) {
                out.backgroundFilled = false;
            }
        }
    }
    DeleteObject(font);
    s->Release();
    pal->Release();
    dd->Release();
    return out;
}

TEST(Text, StatusTextAtBothSizesFillsItsExtentOnly) {
    SetHeadless(true);
    const char* sample = "000.00 fps 00000000.00 tps 0000.00 mppps";
    Drawn small = DrawStatusText(12, sample);
    Drawn large = DrawStatusText(24, sample);

    EXPECT_LE(small.extent.cy, 12);
    EXPECT_GE(small.extent.cy, 10);
    EXPECT_LE(large.extent.cy, 24);
    EXPECT_GE(large.extent.cy, 21);
    // Arial-metric digits are 0.556 em wide: the larger text is about twice as wide.
    EXPECT_GT(small.extent.cx, 150);
    EXPECT_NEAR(double(large.extent.cx) / small.extent.cx, 2.0, 0.25);

    for (const Drawn& d : {small, large}) {
        EXPECT_GT(d.textPixels, d.extent.cx / 2);
        EXPECT_TRUE(d.backgroundFilled);
        EXPECT_EQ(d.outside, 0);
    }
}

TEST(Text, ClippingKeepsTextInsideItsRectangleAndTheSurface) {
    SetHeadless(true);
    DirectDraw* dd = nullptr;
    Surface* s = PlainSurface(dd, 30, 10);
    ASSERT_NE(s, nullptr);
    Hfont font = CreateFont(24, FW_NORMAL, VARIABLE_PITCH, "Arial");
    Hdc dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SelectObject(dc, font);
    SetTextColor(dc, Rgb(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    Rect box{0, 0, 10, 10};
    // Far larger than the surface, and partly above and left of it.
    EXPECT_TRUE(ExtTextOut(dc, -5, -8, ETO_CLIPPED, &box, "WWWW", 4));
    EXPECT_TRUE(ExtTextOut(dc, 12, 2, 0, nullptr, "WWWWWWWW", 8));
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    int inBox = 0, between = 0;
    for (uint32_t y = 0; y < 10; ++y) {
        for (uint32_t x = 0; x < 30; ++x) {
            bool lit = s->Pixels()[y * s->Pitch() + x] != 0;
            if (x < 10) inBox += lit;
            if (x >= 10 && x < 12) between += lit;
        }
    }
    EXPECT_GT(inBox, 0);
    EXPECT_EQ(between, 0);
    DeleteObject(font);
    s->Release();
    dd->Release();
}

}  // namespace
