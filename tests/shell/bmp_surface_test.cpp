#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../../tools/bmp_write.h"
#include "base/report_error.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/message_box.h"
#include "platform/palette.h"
#include "platform/surface.h"
#include "shell/bmp_surface.h"
#include "support/scratch_folder.h"

namespace {

class BmpFiles : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        ASSERT_EQ(platform::DirectDrawCreate(nullptr, &ddraw), platform::DD_OK);
        scratch.emplace("dusk_bmp");
        folder = scratch->Path();
    }
    void TearDown() override {
        platform::ClearFaults();
        if (surface) surface->Release();
        if (palette) palette->Release();
        ddraw->Release();
        scratch.reset();
    }

    // Writes a picture whose pixel (x, y) is x + 10 * y + 1; returns its path.
    std::string Picture(const char* name, int width, int height, int bits = 8) {
        std::vector<uint8_t> pixels(width * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels[y * width + x] = static_cast<uint8_t>(x + 10 * y + 1);
            }
        }
        std::vector<bmpwrite::Colour> colours(256);
        for (int i = 0; i < 256; ++i) {
            colours[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7};
        }
        const std::string path = (folder / name).string();
        bmpwrite::Write(path, bmpwrite::Encode(width, height, pixels, colours, bits));
        return path;
    }

    platform::DirectDraw* ddraw = nullptr;
    platform::Surface* surface = nullptr;
    platform::Palette* palette = nullptr;
    std::optional<support::ScratchFolder> scratch;
    std::filesystem::path folder;
};

}  // namespace

TEST_F(BmpFiles, PaddedRowsLoadUnskewedWithTheirPalette) {
    const std::string path = Picture("thirteen.bmp", 13, 3);
    ASSERT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, &palette), 1);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 13u);
    EXPECT_EQ(surface->Height(), 3u);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 13; ++x) {
            EXPECT_EQ(surface->Pixels()[y * surface->Pitch() + x], x + 10 * y + 1);
        }
    }
    ASSERT_NE(palette, nullptr);
    const auto& entries = palette->Entries();
    EXPECT_EQ(entries[200].red, 200);
    EXPECT_EQ(entries[200].green, 55);
    EXPECT_EQ(entries[200].blue, 7);
    EXPECT_EQ(entries[136].flags, platform::D3DPAL_READONLY);
    EXPECT_EQ(entries[137].flags, platform::D3DPAL_FREE);
    EXPECT_EQ(entries[254].flags, platform::D3DPAL_FREE);
    EXPECT_EQ(entries[255].flags, platform::D3DPAL_READONLY);
    EXPECT_EQ(surface->AttachedPalette(), palette);
}

TEST_F(BmpFiles, SheetsGoIntoThePaletteSurfaceCutToItsSize) {
    OverlaySurfaces[0] = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 8, 4, 1);
    const std::string path = Picture("sheet.bmp", 20, 6);
    EXPECT_EQ(LoadBmpSurface(path.c_str(), nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(OverlaySurfaces[0]->Pixels()[3 * OverlaySurfaces[0]->Pitch() + 7], 7 + 30 + 1);
    OverlaySurfaces[0]->Release();
    OverlaySurfaces[0] = nullptr;
    // Without a surface to read into, the sheet cannot be loaded.
    EXPECT_EQ(LoadBmpSurface(path.c_str(), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Create a BMP surface failed!");
}

TEST_F(BmpFiles, FailuresAndPicturesOfOtherDepths) {
    const std::string missing = (folder / "missing.bmp").string();
    EXPECT_EQ(LoadBmpSurface(missing.c_str(), ddraw, &surface, nullptr), 0);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "Open " + missing + " failed.");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "ERROR");

    // A picture of another depth is refused and named: nothing is loaded from it.
    const std::string deep = Picture("deep.bmp", 4, 4, 24);
    EXPECT_EQ(LoadBmpSurface(deep.c_str(), ddraw, &surface, nullptr), 0);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(platform::RecordedBoxes().back().text,
              "Picture " + deep + " has 24 bits per pixel; only 8-bit pictures are read.");

    const std::string path = Picture("ok.bmp", 4, 4);
    platform::InjectFault("CreateSurface", platform::DDERR_OUTOFMEMORY);
    EXPECT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, nullptr), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Create a BMP surface failed!");

    // A file cut short in its rows.
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 3);
    EXPECT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, nullptr), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Open " + path + " failed.");
}

TEST_F(BmpFiles, ShortFilesMakeNoSurfaceOfTheirDeclaredSize) {
    // A 73-byte file declaring a 97 x 64 picture after a 2 GB colour table: refused before
    // anything of that size is made for it; pixel data said to start past the file's end is
    // reported as a damaged file.
    const std::string path = DUSK_FUZZ_CORPUS "/bmp/oom-short-file-huge-picture";
    EXPECT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, &palette), 0);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(palette, nullptr);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "Open " + path + " failed.");
}
