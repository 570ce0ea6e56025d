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

namespace drawtest {

inline Fixed16 F(double v) { return static_cast<Fixed16>(v * 65536.0); }

constexpr uint8_t Sentinel = 0xEE;

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
                           const std::function<uint8_t(int, int)>& texel = Texel)
{
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
    void Bind(int width, int height, int horizon = 0)
    {
        width_ = width;
        height_ = height;
        pitch_ = width + 24;
        buffer_.assign(static_cast<size_t>((height + 2 * Guard) * pitch_), Sentinel);
        InitShadeTable();
        InitRenderViewport(Origin(), pitch_, {0, 0, width - 1, height - 1});
        SetRenderCamera(0, 0, 0, 0, horizon, 256);
        ResetEdgeRange();
    }

    uint8_t* Origin() { return buffer_.data() + Guard * pitch_; }
    uint8_t At(int column, int row) { return Origin()[row * pitch_ + column]; }

    // Every pixel of the buffer, spare columns and guard rows included: where `expected` gives
    // a value (>= 0) the pixel must hold it, elsewhere the sentinel.
    void ExpectFrame(const std::function<int(int column, int row)>& expected)
    {
        int faults = 0;
        for (int row = -Guard; row < height_ + Guard && faults < 8; ++row) {
            for (int column = 0; column < pitch_ && faults < 8; ++column) {
                const bool inView = row >= 0 && row < height_ && column < width_;
                const int want = inView ? expected(column, row) : -1;
                const int got = At(column, row);
                if (got != (want >= 0 ? want : Sentinel)) {
                    ADD_FAILURE() << "pixel (" << column << ", " << row << ") is " << got << ", expected "
                                  << (want >= 0 ? want : int{Sentinel});
                    ++faults;
                }
            }
        }
    }

    // How many pixels differ from the sentinel.
    int Written()
    {
        int n = 0;
        for (uint8_t p : buffer_) {
            n += p != Sentinel;
        }
        return n;
    }

    std::vector<uint8_t> Snapshot() const { return buffer_; }

    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    std::vector<uint8_t> buffer_;
};

}  // namespace drawtest
