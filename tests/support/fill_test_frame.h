#pragma once
// Shared set-up of the span filler tests: a 160 x 160 view with its centre at (80, 80)
// and 128.0 pixels per unit of x/z and y/z, bound to a buffer with spare columns and
// guard rows above and below; textures whose texels encode their coordinates.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "render/bitmap.h"
#include "render/lighting.h"
#include "render/render_state.h"

namespace filltest {

constexpr Fixed16 F(int v) { return v * 65536; }

constexpr int Width = 160;
constexpr int Height = 160;
constexpr int Skip = 32;
constexpr int Pitch = Width + Skip;
constexpr int GuardRows = 8;
constexpr int Centre = 80;
// Background of the frame; test textures never hold it.
constexpr uint8_t Sentinel = 0xEE;

// A bitmap block (header and pixels) owned by the test.
struct TestBitmap {
    std::vector<uint64_t> storage;  // 8-byte aligned
    Bitmap* bitmap() { return reinterpret_cast<Bitmap*>(storage.data()); }
    uint8_t* pixels() { return reinterpret_cast<uint8_t*>(storage.data()) + 8; }
};

// Texel (u, v) of the test textures: column u, row v; never the sentinel.
inline uint8_t Texel(int u, int v) { return static_cast<uint8_t>((u * 16 + v) % 233); }

// A width x height bitmap whose texel (u, v) is texel(u, v), laid out by column
// (flag 0x0001) or by row.
inline TestBitmap MakeTexture(int width, int height, uint16_t flags,
                              const std::function<uint8_t(int, int)>& texel = Texel)
{
    TestBitmap t;
    t.storage.assign((8 + width * height + 7) / 8 + 1, 0);
    const uint16_t header[4] = {flags, static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                                static_cast<uint16_t>(width * height)};
    std::memcpy(t.storage.data(), header, sizeof header);
    for (int u = 0; u < width; ++u) {
        for (int v = 0; v < height; ++v) {
            const int at = (flags & 0x0001) != 0 ? u * height + v : v * width + u;
            t.pixels()[at] = texel(u, v);
        }
    }
    return t;
}

// A run-length coded bitmap from its lines (columns with flag 0x0001, else rows), each
// given as its run bytes; an empty vector is an empty line (offset 0).
inline TestBitmap MakeCodedTexture(int width, int height, uint16_t flags, const std::vector<std::vector<uint8_t>>& lines)
{
    std::vector<uint8_t> body(2 * lines.size(), 0);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (!lines[k].empty()) {
            const auto offset = static_cast<uint16_t>(body.size());
            std::memcpy(&body[2 * k], &offset, 2);
            body.insert(body.end(), lines[k].begin(), lines[k].end());
        }
    }
    TestBitmap t;
    t.storage.assign((8 + body.size() + 7) / 8 + 1, 0);
    const uint16_t header[4] = {static_cast<uint16_t>(flags | 0x0004), static_cast<uint16_t>(width),
                                static_cast<uint16_t>(height), static_cast<uint16_t>(width * height)};
    std::memcpy(t.storage.data(), header, sizeof header);
    std::memcpy(t.pixels(), body.data(), body.size());
    return t;
}

// Binds the view and fills the frame and its guard rows with the sentinel; the shade
// table is the identity and there is no blend table.
class FillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer.assign((Height + 2 * GuardRows) * Pitch, Sentinel);
        FrameBuffer = buffer.data() + GuardRows * Pitch;
        ViewWidth = Width;
        ViewHeight = Height;
        RowSkip = Skip;
        ViewCentreX = Centre;
        ViewCentreY = Centre;
        ProjectionScaleX = F(128);
        ProjectionScaleY = F(128);
        InitShadeTable();
        BlendTable = nullptr;
        StippleMasks = nullptr;
        TextureTransparent = 0;
        TextureLightMap = 0;
        TextureRunLength = 0;
        CurrentFaceFlags = 0;
        TextureOffsetU = 0;
        TextureOffsetV = 0;
        ResetEdgeRange();
    }

    uint8_t& At(int column, int row) { return FrameBuffer[row * Pitch + column]; }

    // Every pixel of the buffer, guard rows included: where `expected` gives a value
    // (>= 0) the pixel must hold it, elsewhere the sentinel. Reports the first few faults.
    void ExpectFrame(const std::function<int(int column, int row)>& expected)
    {
        int faults = 0;
        for (int row = -GuardRows; row < Height + GuardRows && faults < 8; ++row) {
            for (int column = 0; column < Pitch && faults < 8; ++column) {
                const bool inView = row >= 0 && row < Height && column < Width;
                const int want = inView ? expected(column, row) : -1;
                const int got = FrameBuffer[row * Pitch + column];
                if (got != (want >= 0 ? want : Sentinel)) {
                    ADD_FAILURE() << "pixel (" << column << ", " << row << ") is " << got << ", expected "
                                  << (want >= 0 ? want : int{Sentinel});
                    ++faults;
                }
            }
        }
    }

    void ExpectRangeReset()
    {
        EXPECT_EQ(EdgeRangeMin, 9999);
        EXPECT_EQ(EdgeRangeMax, -9999);
    }

    // Edge entry of one absolute column (walls) or row (floors), lights in whole levels.
    static void SetEdge(int index, int from, int to, Fixed16 lightFrom = F(20), Fixed16 lightTo = F(20))
    {
        EdgeMin[index] = static_cast<int16_t>(from);
        EdgeMax[index] = static_cast<int16_t>(to);
        EdgeMinLight[index] = lightFrom;
        EdgeMaxLight[index] = lightTo;
        EdgeRangeMin = std::min(EdgeRangeMin, 2 * index);
        EdgeRangeMax = std::max(EdgeRangeMax, 2 * index);
    }

    std::vector<uint8_t> buffer;
};

}  // namespace filltest
