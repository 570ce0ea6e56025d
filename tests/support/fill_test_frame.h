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
#include "support/fixed_units.h"
#include "support/test_frame.h"

namespace filltest {

using support::Fx;

constexpr int Width = 160;
constexpr int Height = 160;
constexpr int Skip = 32;
constexpr int Pitch = Width + Skip;
constexpr int GuardRows = 8;
constexpr int Centre = 80;
constexpr uint8_t Sentinel = support::FrameSentinel;

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
                              const std::function<uint8_t(int, int)>& texel = Texel) {
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
inline TestBitmap MakeCodedTexture(int width, int height, uint16_t flags,
                                   const std::vector<std::vector<uint8_t>>& lines) {
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
                                static_cast<uint16_t>(height),
                                static_cast<uint16_t>(width * height)};
    std::memcpy(t.storage.data(), header, sizeof header);
    std::memcpy(t.pixels(), body.data(), body.size());
    return t;
}

// Binds the view and fills the frame and its guard rows with the sentinel; the shade
// table is the identity and there is no blend table.
class FillTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame.Assign(Width, Height, Skip, GuardRows);
        FrameBuffer = frame.Origin();
        ViewWidth = Width;
        ViewHeight = Height;
        RowSkip = Skip;
        ViewCentreX = Centre;
        ViewCentreY = Centre;
        ProjectionScaleX = Fx(128);
        ProjectionScaleY = Fx(128);
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

    void ExpectFrame(const std::function<int(int column, int row)>& expected) {
        frame.Expect(expected);
    }

    void ExpectRangeReset() {
        EXPECT_EQ(EdgeRangeMin, 9999);
        EXPECT_EQ(EdgeRangeMax, -9999);
    }

    // Edge entry of one absolute column (walls) or row (floors), lights in whole levels.
    static void SetEdge(int index, int from, int to, Fixed16 lightFrom = Fx(20),
                        Fixed16 lightTo = Fx(20)) {
        EdgeMin[index] = static_cast<int16_t>(from);
        EdgeMax[index] = static_cast<int16_t>(to);
        EdgeMinLight[index] = lightFrom;
        EdgeMaxLight[index] = lightTo;
        EdgeRangeMin = std::min(EdgeRangeMin, 2 * index);
        EdgeRangeMax = std::max(EdgeRangeMax, 2 * index);
    }

    support::TestFrame frame;
    std::vector<uint8_t>& buffer = frame.pixels;
};

}  // namespace filltest
