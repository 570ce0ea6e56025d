#pragma once
// The renderer tests' frame: an 8-bit buffer of width x height pixels with spare columns at the
// right of each row and guard rows above and below, all holding a sentinel the test textures
// never hold, so that every pixel written outside the view shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace support {

constexpr uint8_t FrameSentinel = 0xEE;

class TestFrame {
public:
    void Assign(int width, int height, int spare, int guard) {
        width_ = width;
        height_ = height;
        pitch_ = width + spare;
        guard_ = guard;
        pixels.assign(static_cast<size_t>((height + 2 * guard) * pitch_), FrameSentinel);
    }

    int Width() const { return width_; }
    int Pitch() const { return pitch_; }
    // The view's top-left pixel.
    uint8_t* Origin() { return pixels.data() + guard_ * pitch_; }
    uint8_t& At(int column, int row) { return Origin()[row * pitch_ + column]; }

    // Every pixel, spare columns and guard rows included: where `expected` gives a value (>= 0)
    // the pixel must hold it, elsewhere the sentinel. Reports the first few faults.
    void Expect(const std::function<int(int column, int row)>& expected) {
        int faults = 0;
        for (int row = -guard_; row < height_ + guard_ && faults < 8; ++row) {
            for (int column = 0; column < pitch_ && faults < 8; ++column) {
                const bool inView = row >= 0 && row < height_ && column < width_;
                const int want = inView ? expected(column, row) : -1;
                const int got = At(column, row);
                if (got != (want >= 0 ? want : FrameSentinel)) {
                    ADD_FAILURE() << "pixel (" << column << ", " << row << ") is " << got
                                  << ", expected " << (want >= 0 ? want : int{FrameSentinel});
                    ++faults;
                }
            }
        }
    }

    // How many pixels differ from the sentinel.
    int Written() const {
        int n = 0;
        for (uint8_t p : pixels) {
            n += p != FrameSentinel;
        }
        return n;
    }

    std::vector<uint8_t> pixels;

private:
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    int guard_ = 0;
};

}  // namespace support
