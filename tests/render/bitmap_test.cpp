#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "render/bitmap.h"

namespace {

// A sheet whose pixel (x, y) is x + 16 * y (low byte).
class Sheet : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 320, 310, 1);
        for (uint32_t y = 0; y < sheet->Height(); ++y) {
            for (uint32_t x = 0; x < sheet->Width(); ++x) {
                sheet->Pixels()[y * sheet->Pitch() + x] = static_cast<uint8_t>(x + 16 * y);
            }
        }
    }
    void TearDown() override { sheet->Release(); }
    platform::Surface* sheet = nullptr;
};

// A run-length coded bitmap of the given lines (each a byte sequence; empty = no line).
std::vector<uint8_t> CodedBitmap(uint16_t flags, int width, int height,
                                 const std::vector<std::vector<uint8_t>>& lines) {
    std::vector<uint8_t> block(8 + 2 * lines.size());
    const uint16_t header[4] = {flags, static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                                static_cast<uint16_t>(width * height)};
    std::memcpy(block.data(), header, 8);
    for (size_t k = 0; k < lines.size(); ++k) {
        uint16_t offset = 0;
        if (!lines[k].empty()) {
            offset = static_cast<uint16_t>(block.size() - 8);
            block.insert(block.end(), lines[k].begin(), lines[k].end());
        }
        std::memcpy(block.data() + 8 + 2 * k, &offset, 2);
    }
    return block;
}

}  // namespace

TEST_F(Sheet, CapturesColumnsForWallsAndRowsOtherwise) {
    const int rect[4] = {3, 5, 4, 7};  // 2 x 3, inclusive
    Bitmap* wall = CaptureBitmap(sheet, rect, BitmapColumnMajor | BitmapTransparent);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->flags, BitmapColumnMajor | BitmapTransparent);
    EXPECT_EQ(wall->width, 2);
    EXPECT_EQ(wall->height, 3);
    EXPECT_EQ(wall->size, 6);
    const uint8_t columns[6] = {3 + 80, 3 + 96, 3 + 112, 4 + 80, 4 + 96, 4 + 112};
    EXPECT_EQ(std::memcmp(wall->Pixels(), columns, 6), 0);
    Bitmap* floor = CaptureBitmap(sheet, rect, 0);
    const uint8_t rows[6] = {3 + 80, 4 + 80, 3 + 96, 4 + 96, 3 + 112, 4 + 112};
    EXPECT_EQ(std::memcmp(floor->Pixels(), rows, 6), 0);
    EXPECT_FALSE(sheet->IsLocked());
    FreeBitmap(wall);
    FreeBitmap(floor);
}

TEST_F(Sheet, LargeCaptureKeepsTheLowSizeBitsAndEveryPixel) {
    const int rect[4] = {0, 0, 299, 299};
    Bitmap* big = CaptureBitmap(sheet, rect, 0);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->size, 24464);
    EXPECT_EQ(big->Pixels()[299 * 300 + 299], static_cast<uint8_t>(299 + 16 * 299));
    FreeBitmap(big);
}

TEST_F(Sheet, RectanglesOutsideTheSheetAndLockedSheetsGiveNothing) {
    const int outside[][4] = {{-1, 0, 3, 3}, {0, 0, 320, 3}, {0, 300, 3, 310}, {5, 0, 4, 3}};
    for (const auto& rect : outside) {
        EXPECT_EQ(CaptureBitmap(sheet, rect, 0), nullptr);
    }
    platform::SurfaceDesc desc;
    ASSERT_EQ(sheet->Lock(nullptr, &desc, 0), platform::DD_OK);
    const int rect[4] = {0, 0, 3, 3};
    EXPECT_EQ(CaptureBitmap(sheet, rect, 0), nullptr);
    sheet->Unlock();
    EXPECT_EQ(CaptureBitmap(nullptr, rect, 0), nullptr);
}

TEST(RunLengthLines, DecodeFillsLiteralsAndEmptyLines) {
    const auto block = CodedBitmap(BitmapColumnMajor | BitmapRunLength, 3, 8,
                                   {{3, 0, 2, 7, 9, 3, 2}, {}, {4, 5, 6, 7, 8, 4, 9, 10, 11, 12}});
    const Bitmap* bitmap = reinterpret_cast<const Bitmap*>(block.data());
    uint8_t out[8];
    EXPECT_EQ(DecodeTextureColumn(0, bitmap, out), 2);
    const uint8_t first[8] = {0, 0, 0, 7, 9, 2, 2, 2};
    EXPECT_EQ(std::memcmp(out, first, 8), 0);
    std::memset(out, 0xAA, sizeof out);
    EXPECT_EQ(DecodeTextureColumn(1, bitmap, out), 0);
    EXPECT_EQ(out[0], 0xAA);  // nothing written
    EXPECT_EQ(DecodeTextureColumn(2, bitmap, out), 3);
    const uint8_t third[8] = {5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(std::memcmp(out, third, 8), 0);
}

TEST(RunLengthLines, RowsReportTheLastSpecialRunAndNeverOverrunTheLine) {
    // Row 0: a fill of 2, then of 1: the last one wins. Row 1 claims more texels than the row.
    const auto block = CodedBitmap(BitmapRunLength, 4, 2, {{2, 2, 2, 1}, {9, 1}});
    const Bitmap* bitmap = reinterpret_cast<const Bitmap*>(block.data());
    uint8_t out[5] = {0, 0, 0, 0, 0xAA};
    EXPECT_EQ(DecodeSpriteRow(0, bitmap, out), 1);
    const uint8_t row[4] = {2, 2, 1, 1};
    EXPECT_EQ(std::memcmp(out, row, 4), 0);
    EXPECT_EQ(DecodeSpriteRow(1, bitmap, out), 1);
    EXPECT_EQ(out[4], 0xAA);
    EXPECT_EQ(DecodeSpriteRow(2, bitmap, out), 0);  // no such row
}
