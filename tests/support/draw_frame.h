#pragma once
// Shared set-up of the quad and face tests: an 8-bit frame with spare columns at the right and
// guard rows above and below, bound as the renderer's view; the camera at the origin looking
// along +z; textures whose texels encode their coordinates.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "render/bitmap.h"
#include "render/lighting.h"
#include "render/view.h"
#include "support/fixed_units.h"
#include "support/test_frame.h"

namespace drawtest {

using support::Fx;

constexpr uint8_t Sentinel = support::FrameSentinel;

// Texel (u, v) of a 16 x 16 test texture: every value once.
inline uint8_t Texel(int u, int v) { return static_cast<uint8_t>(u * 16 + v); }

// A bitmap owned by the test, freed with it.
struct OwnedBitmap {
    Bitmap* bitmap;
    explicit OwnedBitmap(Bitmap* b) : bitmap(b) {}
    ~OwnedBitmap() { FreeBitmap(bitmap); }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
};

inline Bitmap* MakeTexture(int width, int height, uint16_t flags,
                           const std::function<uint8_t(int, int)>& texel = Texel) {
    Bitmap* b = NewBitmap(flags, width, height);
    for (int u = 0; u < width; ++u) {
        for (int v = 0; v < height; ++v) {
            b->Pixels()[(flags & BitmapColumnMajor) ? u * height + v : v * width + u] = texel(u, v);
        }
    }
    return b;
}

class DrawFrame : public ::testing::Test {
protected:
    static constexpr int Guard = 8;

    // Binds a width x height view (its top-left pixel at the buffer's origin) and places the
    // camera at the origin with heading 0.
    void Bind(int width, int height, int horizon = 0) {
        frame_.Assign(width, height, 24, Guard);
        InitShadeTable();
        InitRenderViewport(Origin(), frame_.Pitch(), {0, 0, width - 1, height - 1});
        SetRenderCamera(0, 0, 0, 0, horizon, 256);
        ResetEdgeRange();
    }

    uint8_t* Origin() { return frame_.Origin(); }
    uint8_t At(int column, int row) { return frame_.At(column, row); }
    void ExpectFrame(const std::function<int(int column, int row)>& expected) {
        frame_.Expect(expected);
    }
    int Written() { return frame_.Written(); }
    std::vector<uint8_t> Snapshot() const { return frame_.pixels; }

    support::TestFrame frame_;
};

}  // namespace drawtest
