#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
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
#include "shell/overlays.h"
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

    // Writes a picture whose header declares width by height pixels at the given depth, with all
    // the rows it asks for: zeros, but 9 for the first pixel of a picture stored bottom row first.
    std::string Declared(const char* name, int32_t width, int32_t height, int bits = 8) {
        std::vector<uint8_t> bytes =
            bmpwrite::Encode(1, 1, {0}, std::vector<bmpwrite::Colour>(256), bits);
        const size_t offset = bytes.size() - 4;  // the one row of the 1 x 1 picture
        bytes.resize(offset);
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (8 * i));
            bytes[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
        }
        const std::string path = (folder / name).string();
        bmpwrite::Write(path, bytes);
        const uintmax_t rowLength = (static_cast<uintmax_t>(width) + 3) & ~uintmax_t{3};
        const uintmax_t rows = height < 0 ? -static_cast<intmax_t>(height) : height;
        std::filesystem::resize_file(path, offset + rowLength * rows);
        if (height > 0) {
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(static_cast<std::streamoff>(offset + rowLength * (height - 1)));
            file.put(9);
        }
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

TEST_F(BmpFiles, FailuresToOpenReadOrMakeASurfaceAreNamed) {
    const std::string missing = (folder / "missing.bmp").string();
    EXPECT_EQ(LoadBmpSurface(missing.c_str(), ddraw, &surface, nullptr), 0);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "Open " + missing + " failed.");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "ERROR");

    const std::string path = Picture("ok.bmp", 4, 4);
    platform::InjectFault("CreateSurface", platform::DDERR_OUTOFMEMORY);
    EXPECT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, nullptr), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Create a BMP surface failed!");

    // A file cut short in its rows.
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 3);
    EXPECT_EQ(LoadBmpSurface(path.c_str(), ddraw, &surface, nullptr), 0);
    EXPECT_EQ(platform::RecordedBoxes().back().text, "Open " + path + " failed.");
}

// Pictures of another depth, wider or taller than 32768 pixels or of more than 4096 x 4096 pixels
// are named with their depth or size; pictures stored top row first and empty ones are damaged
// files here. Each file holds all the rows its header asks for; neither reader loads anything
// from it, neither as a picture of its own nor as a texture sheet.
TEST_F(BmpFiles, PicturesOfOtherDepthsOrOverTheSizeLimitsAreRefused) {
    OverlaySurfaces[0] = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 8, 4, 1);
    const std::function<int(const char*)> readers[] = {
        [&](const char* path) { return LoadBmpSurface(path, ddraw, &surface, &palette); },
        [&](const char* path) { return LoadBmpSurface(path, nullptr, nullptr, nullptr); },
        [&](const char* path) { return LoadBmpImage(path, ddraw, &surface); },
    };
    struct Refused {
        int32_t width, height;
        int bits;
        const char* box;  // %s: the file
    };
    const Refused refused[] = {
        {4, 4, 24, "Picture %s has 24 bits per pixel; only 8-bit pictures are read."},
        {1, 40000, 8, "Picture %s is too large: 1 by 40000 pixels."},
        {40000, 1, 8, "Picture %s is too large: 40000 by 1 pixels."},
        {4097, 4096, 8, "Picture %s is too large: 4097 by 4096 pixels."},
        {8, -8, 8, "Open %s failed."},
        {8, 0, 8, "Open %s failed."},
        {0, 8, 8, "Open %s failed."},
    };
    for (const Refused& picture : refused) {
        const std::string path =
            Declared("refused.bmp", picture.width, picture.height, picture.bits);
        char box[512];
        std::snprintf(box, sizeof box, picture.box, path.c_str());
        for (size_t reader = 0; reader < std::size(readers); ++reader) {
            SCOPED_TRACE(std::string(box) + ", reader " + std::to_string(reader));
            platform::ClearRecordedBoxes();
            EXPECT_EQ(readers[reader](path.c_str()), 0);
            EXPECT_EQ(surface, nullptr);
            EXPECT_EQ(palette, nullptr);
            ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
            EXPECT_EQ(platform::RecordedBoxes()[0].text, box);
            EXPECT_EQ(platform::RecordedBoxes()[0].caption, "ERROR");
            if (surface) surface->Release();
            if (palette) palette->Release();
            surface = nullptr;
            palette = nullptr;
        }
    }
    OverlaySurfaces[0]->Release();
    OverlaySurfaces[0] = nullptr;
}

// Pictures of 4096 x 4096 pixels, and 32768 pixels tall, load.
TEST_F(BmpFiles, PicturesAtTheSizeLimitsLoad) {
    OverlaySurfaces[0] = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 8, 4, 1);
    for (const auto& [width, height] : {std::pair{4096, 4096}, std::pair{1, 32768}}) {
        SCOPED_TRACE(std::to_string(width) + " by " + std::to_string(height));
        const std::string path = Declared("limit.bmp", width, height);
        OverlaySurfaces[0]->Pixels()[0] = 0;
        EXPECT_EQ(LoadBmpSurface(path.c_str(), nullptr, nullptr, nullptr), 1);
        EXPECT_EQ(OverlaySurfaces[0]->Pixels()[0], 9);
        EXPECT_TRUE(platform::RecordedBoxes().empty());
    }
    OverlaySurfaces[0]->Release();
    OverlaySurfaces[0] = nullptr;
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
