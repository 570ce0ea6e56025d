#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/presenter.h"
#include "support/scratch_folder.h"

using namespace platform;

namespace {

class Surfaces : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeadless(true);
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override {
        for (Surface* s : made) s->Release();
        dd->Release();
        ClearFaults();
    }

    Surface* Make(uint32_t w, uint32_t h) {
        SurfaceDesc d;
        d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        d.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        d.width = w;
        d.height = h;
        Surface* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(d, &s), DD_OK);
        made.push_back(s);
        return s;
    }

    // Writes rows of text ('0'..'9' as indices 0..9, '.' as 0) into the surface.
    static void Paint(Surface* s, std::initializer_list<const char*> rows) {
        SurfaceDesc d;
        ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT), DD_OK);
        int y = 0;
        for (const char* row : rows) {
            auto* p = static_cast<uint8_t*>(d.surface) + y++ * d.pitch;
            for (int x = 0; row[x]; ++x) p[x] = row[x] == '.' ? 0 : uint8_t(row[x] - '0');
        }
        ASSERT_EQ(s->Unlock(), DD_OK);
    }

    static std::string Row(Surface* s, uint32_t y) {
        std::string out;
        const uint8_t* p = s->Pixels() + y * s->Pitch();
        for (uint32_t x = 0; x < s->Width(); ++x) out += p[x] == 0 ? '.' : char('0' + p[x]);
        return out;
    }

    DirectDraw* dd = nullptr;
    std::vector<Surface*> made;
};

TEST_F(Surfaces, MemoryStaysPutAcrossLocksAndLockingIsExclusive) {
    Surface* s = Make(13, 5);
    SurfaceDesc first, second;
    ASSERT_EQ(s->Lock(nullptr, &first, DDLOCK_WAIT), DD_OK);
    EXPECT_GE(first.pitch, 13);
    EXPECT_EQ(first.pitch % 4, 0);
    EXPECT_EQ(first.width, 13u);
    static_cast<uint8_t*>(first.surface)[first.pitch * 4 + 12] = 77;

    EXPECT_EQ(s->Lock(nullptr, &second, DDLOCK_WAIT), DDERR_SURFACEBUSY);
    Surface* other = Make(4, 4);
    EXPECT_EQ(other->BltFast(0, 0, s, nullptr, DDBLTFAST_NOCOLORKEY), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(), DD_OK);
    EXPECT_EQ(s->Unlock(), DDERR_NOTLOCKED);

    ASSERT_EQ(s->Lock(nullptr, &second, DDLOCK_WAIT), DD_OK);
    EXPECT_EQ(second.surface, first.surface);
    EXPECT_EQ(static_cast<uint8_t*>(second.surface)[second.pitch * 4 + 12], 77);
    EXPECT_EQ(s->Unlock(), DD_OK);

    Rect part{2, 3, 5, 5};
    ASSERT_EQ(s->Lock(&part, &second, DDLOCK_WAIT), DD_OK);
    EXPECT_EQ(second.surface, static_cast<uint8_t*>(first.surface) + 3 * first.pitch + 2);
    EXPECT_EQ(s->Unlock(), DD_OK);
    Rect outside{10, 0, 14, 2};
    EXPECT_EQ(s->Lock(&outside, &second, DDLOCK_WAIT), DDERR_INVALIDRECT);
}

TEST_F(Surfaces, KeyedFastBlitSkipsKeyAndClipsAtEdges) {
    Surface* icon = Make(3, 2);
    Paint(icon, {"1.2", "34."});
    ColorKey key{0, 0};
    ASSERT_EQ(icon->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    Surface* back = Make(5, 3);
    Paint(back, {"99999", "99999", "99999"});
    EXPECT_EQ(back->BltFast(0, 0, icon, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    // Hanging over the right and bottom edges: only the inside part is drawn.
    EXPECT_EQ(back->BltFast(3, 2, icon, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(Row(back, 0), "19299");
    EXPECT_EQ(Row(back, 1), "34999");
    EXPECT_EQ(Row(back, 2), "99919");
    // A corner far outside (an unsigned wrap of a negative x) draws nothing.
    EXPECT_EQ(back->BltFast(0xFFFFFFF0u, 0, icon, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(Row(back, 0), "19299");

    // Without the key flag the zeros are copied too; one frame of a strip by source rectangle.
    Rect frame{1, 0, 3, 2};
    EXPECT_EQ(back->BltFast(3, 0, icon, &frame, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(Row(back, 0), "192.2");
    EXPECT_EQ(Row(back, 1), "3494.");

    Rect beyond{2, 0, 4, 2};
    EXPECT_EQ(back->BltFast(0, 0, icon, &beyond, 0), DDERR_INVALIDRECT);
    Surface* plain = Make(2, 2);
    EXPECT_EQ(back->BltFast(0, 0, plain, nullptr, DDBLTFAST_SRCCOLORKEY), DDERR_NOCOLORKEY);
}

TEST_F(Surfaces, StretchBlitAndColourFill) {
    Surface* view = Make(3, 3);
    Paint(view, {"123", "456", "789"});
    Surface* front = Make(4, 4);
    Rect viewRect{0, 0, 3, 3};
    ASSERT_EQ(front->Blt(nullptr, view, &viewRect, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Row(front, 0), "1123");
    EXPECT_EQ(Row(front, 1), "1123");
    EXPECT_EQ(Row(front, 2), "4456");
    EXPECT_EQ(Row(front, 3), "7789");

    BltFx fx;
    fx.fillColor = 0;
    Rect over{2, 1, 9, 3};  // clipped at the right edge
    ASSERT_EQ(front->Blt(&over, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(Row(front, 0), "1123");
    EXPECT_EQ(Row(front, 1), "11..");
    EXPECT_EQ(Row(front, 2), "44..");

    // Shrinking with a colour key, into a rectangle that hangs off the top-left corner.
    ColorKey key{5, 6};
    ASSERT_EQ(view->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    Rect dest{-1, -1, 2, 2};
    ASSERT_EQ(front->Blt(&dest, view, nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Row(front, 0), "1123");
    EXPECT_EQ(Row(front, 1), "89..");
}

// Three source columns onto four (the view onto the screen) goes eight pixels at a time; every
// pixel must still be the one the column formula picks, also where clipping starts the row
// part-way through the pattern.
TEST_F(Surfaces, StretchOfThreeColumnsOntoFourPicksEachColumnByTheFormula) {
    Surface* view = Make(36, 2);
    SurfaceDesc d;
    ASSERT_EQ(view->Lock(nullptr, &d, DDLOCK_WAIT), DD_OK);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 36; ++x)
            static_cast<uint8_t*>(d.surface)[y * d.pitch + x] = uint8_t(1 + x + 40 * y);
    ASSERT_EQ(view->Unlock(), DD_OK);
    Surface* front = Make(45, 3);
    const Rect from{3, 0, 33, 2};
    for (const Rect& to : {Rect{0, 0, 40, 3}, Rect{-3, 0, 37, 3}, Rect{6, 0, 46, 3}}) {
        ASSERT_EQ(front->Blt(&to, view, &from, DDBLT_WAIT, nullptr), DD_OK);
        for (int y = 0; y < 3; ++y) {
            const uint8_t* row = front->Pixels() + y * front->Pitch();
            const uint8_t* src = view->Pixels() + (y * 2 / 3) * view->Pitch();
            for (int x = std::max(to.left, 0); x < std::min(to.right, 45); ++x)
                ASSERT_EQ(row[x], src[from.left + (x - to.left) * 30 / 40])
                    << "at " << x << "," << y << " into " << to.left;
        }
    }
}

}  // namespace

namespace {

PaletteEntries Ramp() {
    PaletteEntries e;
    for (int i = 0; i < 256; ++i) {
        e[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2),
                            uint8_t(i <= 136 || i == 255 ? D3DPAL_READONLY : D3DPAL_FREE)};
    }
    return e;
}

TEST(Palettes, EntriesKeepColoursAndFlagsAndRefuseOverruns) {
    PaletteEntries ramp = Ramp();
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    Palette* pal = nullptr;
    EXPECT_EQ(dd->CreatePalette(0, ramp.data(), &pal), DDERR_UNSUPPORTED);
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, ramp.data(), &pal), DD_OK);

    PaletteEntry got[3];
    ASSERT_EQ(pal->GetEntries(0, 136, 3, got), DD_OK);
    EXPECT_EQ(got[0].red, 136);
    EXPECT_EQ(got[0].green, 119);
    EXPECT_EQ(got[0].blue, 68);
    EXPECT_EQ(got[0].flags, D3DPAL_READONLY);
    EXPECT_EQ(got[1].flags, D3DPAL_FREE);
    EXPECT_EQ(pal->GetEntries(0, 254, 3, got), DDERR_INVALIDPARAMS);
    EXPECT_EQ(pal->SetEntries(0, 255, 2, got), DDERR_INVALIDPARAMS);
    ASSERT_EQ(pal->SetEntries(0, 255, 1, got), DD_OK);
    EXPECT_EQ(pal->Entries()[255].red, 136);
    EXPECT_EQ(pal->NearestIndex(10, 245, 6), 10);
    pal->Release();
    dd->Release();
}

TEST(Presenting, PrimaryShowsTheBackBufferThroughItsPalettePixelForPixel) {
    SetHeadless(true);
    PaletteEntries ramp = Ramp();
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    SurfaceDesc pd;
    pd.flags = DDSD_CAPS;
    pd.caps = DDSCAPS_PRIMARYSURFACE;
    Surface* front = nullptr;
    EXPECT_EQ(dd->CreateSurface(pd, &front), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    ASSERT_EQ(dd->CreateSurface(pd, &front), DD_OK);
    Surface* second = nullptr;
    EXPECT_EQ(dd->CreateSurface(pd, &second), DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(front->Width(), 640u);
    EXPECT_EQ(front->Height(), 480u);

    SurfaceDesc bd;
    bd.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    bd.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
    bd.width = 640;
    bd.height = 480;
    Surface* back = nullptr;
    ASSERT_EQ(dd->CreateSurface(bd, &back), DD_OK);
    Palette* pal = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, ramp.data(), &pal), DD_OK);
    ASSERT_EQ(front->SetPalette(pal), DD_OK);
    ASSERT_EQ(back->SetPalette(pal), DD_OK);
    pal->Release();  // the surfaces hold it now

    SurfaceDesc ld;
    ASSERT_EQ(back->Lock(nullptr, &ld, DDLOCK_WAIT), DD_OK);
    for (int y = 0; y < 360; ++y) {
        auto* row = static_cast<uint8_t*>(ld.surface) + y * ld.pitch;
        for (int x = 0; x < 480; ++x) row[x] = uint8_t((x / 3) ^ y);
    }
    ASSERT_EQ(back->Unlock(), DD_OK);

    uint64_t before = PresentedFrameCount();
    Rect view{0, 0, 480, 360};
    ASSERT_EQ(front->Blt(nullptr, back, &view, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(PresentedFrameCount(), before + 1);
    const PresentedImage& shown = PresentedFrame();
    ASSERT_EQ(shown.width, 640u);
    ASSERT_EQ(shown.height, 480u);
    // The pixels set to 1 since the first picture, as source row and column.
    std::vector<std::pair<uint32_t, uint32_t>> changed;
    auto expectShown = [&shown, &ramp, &changed]() {
        bool same = true;
        for (uint32_t y = 0; y < 480 && same; ++y) {
            for (uint32_t x = 0; x < 640 && same; ++x) {
                uint8_t index = uint8_t(((x * 3 / 4) / 3) ^ (y * 3 / 4));
                for (auto [row, column] : changed)
                    if (y * 3 / 4 == row && x * 3 / 4 == column) index = 1;
                const PaletteEntry& e = ramp[index];
                uint32_t want = (uint32_t(e.red) << 16) | (uint32_t(e.green) << 8) | e.blue;
                same = shown.Pixel(x, y) == want;
                EXPECT_EQ(shown.Pixel(x, y), want) << "at " << x << "," << y;
            }
        }
    };
    expectShown();

    // Presenting again follows a changed pixel and a changed palette entry, and nothing else.
    ASSERT_EQ(back->Lock(nullptr, &ld, DDLOCK_WAIT), DD_OK);
    static_cast<uint8_t*>(ld.surface)[100 * ld.pitch] = 1;
    ASSERT_EQ(back->Unlock(), DD_OK);
    changed.push_back({100, 0});
    ramp[100] = PaletteEntry{1, 2, 3, D3DPAL_READONLY};
    ASSERT_EQ(pal->SetEntries(0, 100, 1, &ramp[100]), DD_OK);  // still held by the surfaces
    ASSERT_EQ(front->Blt(nullptr, back, &view, DDBLT_WAIT, nullptr), DD_OK);
    expectShown();
    // Under the same colours, one pixel inside a row.
    ASSERT_EQ(back->Lock(nullptr, &ld, DDLOCK_WAIT), DD_OK);
    static_cast<uint8_t*>(ld.surface)[200 * ld.pitch + 333] = 1;
    ASSERT_EQ(back->Unlock(), DD_OK);
    changed.push_back({200, 333});
    ASSERT_EQ(front->Blt(nullptr, back, &view, DDBLT_WAIT, nullptr), DD_OK);
    expectShown();
    // In a folder of the process's own: the program's runs side by side each write their own.
    const support::ScratchFolder scratch("dusk_presented");
    const std::string png = (scratch.Path() / "presented.png").string();
    EXPECT_TRUE(SavePresentedFrame(png));
    FILE* f = std::fopen(png.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[4] = {};
    EXPECT_EQ(std::fread(magic, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');

    back->Release();
    front->Release();
    EXPECT_EQ(PrimarySurface(), nullptr);
    dd->Release();
}

TEST(Faults, InjectedFailureHitsTheNamedCallOnlyAsOftenAsAsked) {
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    SurfaceDesc d;
    d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.width = d.height = 8;
    Surface* s = nullptr;
    InjectFault("CreateSurface", DDERR_OUTOFMEMORY, 2);
    EXPECT_EQ(dd->CreateSurface(d, &s), DDERR_OUTOFMEMORY);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(dd->CreateSurface(d, &s), DDERR_OUTOFMEMORY);
    ASSERT_EQ(dd->CreateSurface(d, &s), DD_OK);

    InjectFault("BltFast", DDERR_SURFACELOST, -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s->BltFast(0, 0, s, nullptr, 0), DDERR_SURFACELOST);
    ClearFaults();
    EXPECT_EQ(s->BltFast(0, 0, s, nullptr, 0), DD_OK);
    s->Release();
    dd->Release();
}

}  // namespace
