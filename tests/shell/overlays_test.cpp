#include <gtest/gtest.h>

#include <vector>

#include "../../tools/bmp_write.h"
#include "input_fixture.h"
#include "platform/clock.h"
#include "platform/palette.h"
#include "render/render_state.h"
#include "shell/bmp_surface.h"
#include "shell/input.h"
#include "shell/overlays.h"
#include "shell/shutdown.h"
#include "shell/status_displays.h"

using namespace platform;

namespace {

class Overlays : public GameInputTest {
protected:
    void SetUp() override {
        GameInputTest::SetUp();
        // An icon of two 32 x 32 frames: the left one colour 5, the right one colour 6, each
        // with a transparent (colour 0) first column.
        std::vector<uint8_t> pixels(64 * 32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                pixels[y * 64 + x] = x % 32 == 0 ? 0 : (x < 32 ? 5 : 6);
            }
        }
        bmpwrite::Write((folder / "icon.bmp").string(),
                        bmpwrite::Encode(64, 32, pixels, std::vector<bmpwrite::Colour>(256)));
    }

    uint8_t Back(int x, int y) const { return BackBuffer->Pixels()[y * BackBuffer->Pitch() + x]; }

    void FillBack(uint8_t value) {
        for (uint32_t y = 0; y < BackBuffer->Height(); ++y) {
            std::fill_n(BackBuffer->Pixels() + y * BackBuffer->Pitch(), BackBuffer->Width(), value);
        }
    }

    // Runs main-loop passes with the cursor in the middle of the screen.
    static void Passes(int count, uint32_t msEach = 0) {
        Msg msg;
        for (int i = 0; i < count; ++i) {
            AdvanceFakeClock(msEach);
            ASSERT_TRUE(MainLoopPass(msg));
        }
    }
};

}  // namespace

TEST_F(Overlays, IconAtTheCursorIsDrawnScaledToTheViewWithColourZeroTransparent) {
    const int item = AddOverlay("icon.bmp", 32, 32, 0, 0);
    ASSERT_EQ(item, 1);  // item 0 is reserved
    EXPECT_EQ(CursorItem, item);
    EXPECT_EQ(OverlayImages[CurrentOverlayImage].rows, 1);
    EXPECT_EQ(OverlayImages[CurrentOverlayImage].cols, 2);
    EXPECT_EQ(OverlayItems[item].frameCount, 2);

    // The cursor (320, 240) less half a frame, scaled from 640 x 480 to the 480 x 360 view.
    Passes(1);
    const int left = (320 - 16) * 480 / 640, top = (240 - 16) * 360 / 480;
    EXPECT_EQ(Back(left + 1, top), 5);
    EXPECT_EQ(Back(left + 31, top + 31), 5);

    // The frames alternate, one a drawn frame.
    FillBack(77);
    EXPECT_EQ(DrawOverlay(item, 320, 240), 1);
    EXPECT_EQ(Back(left + 1, top), 6);
    EXPECT_EQ(Back(left, top), 77);
    EXPECT_EQ(DrawOverlay(item, 320, 240), 1);
    EXPECT_EQ(Back(left + 1, top), 5);

    // Pushed back inside the screen at its top-left corner.
    FillBack(77);
    EXPECT_EQ(DrawOverlay(item, 0, 0), 1);
    EXPECT_EQ(Back(1, 0), 6);

    // And at its bottom-right corner, where an edge arrow shows: the whole icon stays inside the
    // 480 x 360 view that is shown, not only its first columns and rows.
    FillBack(77);
    EXPECT_EQ(DrawOverlay(item, 639, 479), 1);
    EXPECT_EQ(Back(480 - 32 + 1, 360 - 32), 5);
    EXPECT_EQ(Back(479, 359), 5);
    EXPECT_EQ(Back(480 - 32, 360 - 32), 77);
}

TEST_F(Overlays, ItemsPanesAndTheirLimits) {
    Passes(1);  // a frame sets the view's size
    EXPECT_EQ(DrawOverlay(0, 320, 240), -1);
    EXPECT_EQ(DrawOverlay(5, 320, 240), -1);  // not there yet
    EXPECT_EQ(DrawOverlay(-3, 320, 240), -1);

    // A frame size of 0 is refused once the picture is read (a file that cannot be read is
    // named first), and the image it would have used is free again.
    const int images = OverlayImageCount;
    EXPECT_EQ(AddOverlay("icon.bmp", 0, 32, 0, 0), -1);
    EXPECT_EQ(AddOverlay("icon.bmp", 32, -1, 0, 0), -1);
    EXPECT_EQ(OverlayImageCount, images);
    EXPECT_EQ(AddOverlay("missing.bmp", 32, 32, 0, 0), -1);
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].text, "Open missing.bmp failed.");
    EXPECT_EQ(RecordedBoxes()[0].caption, "ERROR");

    const int pane = AddPane(99, 40, 20, 10, 10);
    EXPECT_EQ(pane, 1);
    EXPECT_EQ(CursorItem, pane);
    EXPECT_EQ(OverlayItems[pane].kind, OverlayPane);
    EXPECT_EQ(OverlayItems[pane].right, 50);
    EXPECT_EQ(DrawOverlay(pane, 320, 240), -1);  // a pane is never drawn

    while (OverlayItemCount < 32) {
        AddPane(0, 1, 1, 0, 0);
    }
    EXPECT_EQ(AddPane(0, 1, 1, 0, 0), -1);
    EXPECT_EQ(AddOverlay("icon.bmp", 32, 32, 0, 0), -1);

    // The level reset drops the items and the images loaded after the palette's.
    ResetLevel();
    EXPECT_EQ(OverlayItemCount, 1);
    EXPECT_EQ(OverlayImageCount, 1);
    EXPECT_EQ(OverlaySurfaces[2], nullptr);
    EXPECT_NE(OverlaySurfaces[0], nullptr);
    EXPECT_EQ(AddOverlay("icon.bmp", 32, 32, 0, 0), 1);
    EXPECT_EQ(CurrentOverlayImage, 1);
}

TEST_F(Overlays, AfterAPickTheCursorStandsAtTheLeftEdgeThenFollowsThePointer) {
    // Whether the icon's row of 31 opaque pixels (colour 5 or 6) starts at view column `left`,
    // on the row of the display's y; and the same centred on (x, y).
    const auto iconFrom = [this](int left, int y) {
        const int top = (y - 16) * 360 / 480;
        int opaque = 0;
        for (int i = 1; i < 32; ++i) {
            const uint8_t pixel = Back(left + i, top);
            opaque += pixel == 5 || pixel == 6;
        }
        return opaque == 31;
    };
    const auto iconAt = [&](int x, int y) { return iconFrom((x - 16) * 480 / 640, y); };
    // The edge arrows and four cursors: items 1 to 12, the last the pick cursor.
    for (int item = 1; item <= 12; ++item) {
        ASSERT_EQ(AddOverlay("icon.bmp", 32, 32, 0, 0), item);
    }
    SetActiveCursor(3);
    Click(SDL_BUTTON_LEFT, 320, 240);
    MoveMouse(400, 300);
    Passes(1);
    EXPECT_EQ(CursorItem, 12);  // no cursor was loaded to show a pick
    EXPECT_TRUE(iconAt(400, 300));

    // With the two pick cursors loaded, the first click shows item 13 with its left edge on the
    // view's left edge and its middle on the pointer's height, wherever the pointer goes; the
    // second click shows item 14 centred on the pointer, as any other cursor.
    for (int item = 13; item <= 14; ++item) {
        ASSERT_EQ(AddOverlay("icon.bmp", 32, 32, 0, 0), item);
    }
    SetActiveCursor(3);
    Click(SDL_BUTTON_LEFT, 320, 240);
    for (const auto& [x, y] : {std::pair{200, 163}, std::pair{500, 300}}) {
        MoveMouse(x, y);
        Passes(1);
        EXPECT_EQ(CursorItem, 13);
        EXPECT_TRUE(iconFrom(0, y)) << x << ", " << y;
        EXPECT_FALSE(iconAt(x, y)) << x << ", " << y;
    }
    Click(SDL_BUTTON_LEFT, 320, 240);
    MoveMouse(200, 164);
    Passes(1);
    EXPECT_EQ(CursorItem, 14);
    EXPECT_TRUE(iconAt(200, 164));
}

TEST_F(Overlays, OverlayImagesStopAtTheirTable) {
    const int first = OverlayImageCount;
    int loaded = 0;
    for (int i = 0; i < 40; ++i) {
        if (LoadOverlayImage("icon.bmp", 32, 32)) {
            ++loaded;
        }
    }
    EXPECT_EQ(OverlayImageCount, MaxOverlayImages);
    EXPECT_EQ(loaded, MaxOverlayImages - first);
}

TEST_F(Overlays, BmpColourTablesAndOffsetsAreChecked) {
    // A colour table of 300 entries: the palette takes the first 256, the pixels still load.
    std::vector<uint8_t> pixels(4 * 2, 3);
    std::vector<bmpwrite::Colour> colours(300, {1, 2, 3});
    colours[255] = {200, 100, 50};
    const std::string big = (folder / "big.bmp").string();
    bmpwrite::Write(big, bmpwrite::Encode(4, 2, pixels, colours));
    Surface* surface = nullptr;
    Palette* palette = nullptr;
    ASSERT_EQ(LoadBmpSurface(big.c_str(), DDrawObject, &surface, &palette), 1);
    EXPECT_EQ(palette->Entries()[255].red, 200);
    EXPECT_EQ(surface->Pixels()[0], 3);
    surface->Release();
    palette->Release();

    // Pixel data said to start past the end of the file, or inside the headers.
    for (uint32_t offset : {100000u, 20u}) {
        std::vector<uint8_t> bytes = bmpwrite::Encode(4, 2, pixels, colours);
        bytes[10] = offset & 0xFF;
        bytes[11] = (offset >> 8) & 0xFF;
        bytes[12] = (offset >> 16) & 0xFF;
        const std::string bad = (folder / "bad.bmp").string();
        bmpwrite::Write(bad, bytes);
        ClearRecordedBoxes();
        EXPECT_EQ(LoadBmpSurface(bad.c_str(), DDrawObject, &surface, &palette), 0);
        ASSERT_EQ(RecordedBoxes().size(), 1u);
        EXPECT_EQ(RecordedBoxes()[0].text, "Open " + bad + " failed.");
        EXPECT_EQ(RecordedBoxes()[0].caption, "ERROR");
        EXPECT_EQ(LoadOverlayImage(bad.c_str(), 2, 2), 0);
    }
}

TEST_F(Overlays, FrameRateTextAppearsAtTheTopAfterSpaceAndTheInfoAtTheBottom) {
    Press(SDL_SCANCODE_SPACE);
    ASSERT_EQ(ShowFrameRate, 1);
    Passes(FrameRateInterval, 40);  // 25 frames a second
    const Size rate = StatusDisplay.frameRateSize;
    ASSERT_GT(rate.cx, 0);
    ASSERT_GT(rate.cy, 0);
    EXPECT_NEAR(StatusDisplay.framesPerSecond, 25.0f, 0.01f);

    // The text's surface, where it is not transparent, is what the view shows at its top.
    const int viewWidth = RMViewport->GetWidth();
    const int left = (viewWidth - rate.cx) / 2;
    int textPixels = 0;
    for (int y = 0; y < rate.cy; ++y) {
        for (int x = 0; x < rate.cx; ++x) {
            const uint8_t text = FrameRateSurface->Pixels()[y * FrameRateSurface->Pitch() + x];
            if (text != 0) {
                ++textPixels;
                ASSERT_EQ(Back(left + x, y), text) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(textPixels, 20);

    Press(SDL_SCANCODE_SPACE);
    ASSERT_EQ(ShowInfo, 1);
    Passes(1);
    const Size info = StatusDisplay.infoSize;
    ASSERT_GT(info.cx, 0);
    const int infoLeft = (viewWidth - info.cx) / 2;
    const int infoTop = RMViewport->GetHeight() - info.cy;
    int infoPixels = 0;
    for (int y = 0; y < info.cy; ++y) {
        for (int x = 0; x < info.cx; ++x) {
            const uint8_t text = InfoSurface->Pixels()[y * InfoSurface->Pitch() + x];
            if (text != 0) {
                ++infoPixels;
                ASSERT_EQ(Back(infoLeft + x, infoTop + y), text);
            }
        }
    }
    EXPECT_GT(infoPixels, 20);
}
