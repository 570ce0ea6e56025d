// Blt and BltFast of 8-bit surfaces: colour fill, stretch copy and colour-keyed copy, always
// clipped to the destination so that no write lands outside a surface.
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/surface.h"

namespace platform {
namespace {

bool Inverted(const Rect& r) { return r.right < r.left || r.bottom < r.top; }

bool InsideSurface(const Rect& r, const Surface& s) {
    return !Inverted(r) && r.left >= 0 && r.top >= 0 &&
           static_cast<int64_t>(r.right) <= static_cast<int64_t>(s.Width()) &&
           static_cast<int64_t>(r.bottom) <= static_cast<int64_t>(s.Height());
}

Rect Whole(const Surface& s) {
    return Rect{0, 0, static_cast<int32_t>(s.Width()), static_cast<int32_t>(s.Height())};
}

// Where source pixels come from: the surface itself, or a copy of it when it is also the
// destination, so that overlapping copies read the pixels as they were before the blit.
struct SourcePixels {
    const uint8_t* pixels;
    int32_t pitch;
    std::vector<uint8_t> copy;

    SourcePixels(const Surface& src, const Surface& dest) {
        pitch = src.Pitch();
        if (&src == &dest) {
            copy.assign(src.Pixels(), src.Pixels() + static_cast<size_t>(pitch) * src.Height());
            pixels = copy.data();
        } else {
            pixels = src.Pixels();
        }
    }
};

// Copies one stretched row, row[x] = srcRow[sourceColumn[x]]. The common stretch of three source
// columns onto four (the view onto the full screen) takes eight pixels at a time from six source
// bytes where the pattern starts afresh; first is the destination column's place in the stretch.
void StretchRow(uint8_t* row, const uint8_t* srcRow, const int32_t* sourceColumn, int64_t cols,
                int64_t first, bool threeToFour) {
    int64_t x = 0;
    if (threeToFour && std::endian::native == std::endian::little) {
        for (; x < cols && (first + x) % 4 != 0; ++x) row[x] = srcRow[sourceColumn[x]];
        for (; x + 8 <= cols; x += 8) {
            const uint8_t* from = srcRow + sourceColumn[x];
            uint32_t low;
            uint16_t high;
            std::memcpy(&low, from, 4);
            std::memcpy(&high, from + 4, 2);
            const uint64_t in = low | uint64_t{high} << 32;
            const uint64_t out =
                (in & 0xFF) * 0x101 | (in & 0xFFFFFF00) << 8 | (in & 0xFFFFFF000000) << 16;
            std::memcpy(row + x, &out, 8);
        }
    }
    for (; x < cols; ++x) row[x] = srcRow[sourceColumn[x]];
}

}  // namespace

HResult Surface::Blt(const Rect* dest, Surface* src, const Rect* srcRect, uint32_t flags,
                     const BltFx* fx) {
    if (HResult fault = TakeFault("Blt")) return fault;
    if (locked_ || (src && src->locked_)) return DDERR_SURFACEBUSY;
    Rect d = dest ? *dest : Whole(*this);
    if (Inverted(d)) return DDERR_INVALIDRECT;
    const int64_t left = std::max<int64_t>(d.left, 0);
    const int64_t top = std::max<int64_t>(d.top, 0);
    const int64_t right = std::min<int64_t>(d.right, width_);
    const int64_t bottom = std::min<int64_t>(d.bottom, height_);

    if (flags & DDBLT_COLORFILL) {
        if (!fx) return DDERR_INVALIDPARAMS;
        for (int64_t y = top; y < bottom; ++y) {
            uint8_t* row = memory_.get() + y * pitch_;
            for (int64_t x = left; x < right; ++x) {
                uint32_t value = fx->fillColor;
                for (uint32_t b = 0; b < bytesPerPixel_; ++b) {
                    row[x * bytesPerPixel_ + b] = static_cast<uint8_t>(value);
                    value >>= 8;
                }
            }
        }
        Changed();
        return DD_OK;
    }

    if (!src) return DDERR_INVALIDPARAMS;
    if (bytesPerPixel_ != 1 || src->bytesPerPixel_ != 1) return DDERR_INVALIDPIXELFORMAT;
    Rect s = srcRect ? *srcRect : Whole(*src);
    if (!InsideSurface(s, *src)) return DDERR_INVALIDRECT;
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;
    const int64_t dw = static_cast<int64_t>(d.right) - d.left;
    const int64_t dh = static_cast<int64_t>(d.bottom) - d.top;
    const int64_t sw = s.right - s.left;
    const int64_t sh = s.bottom - s.top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return DD_OK;

    SourcePixels from(*src, *this);
    const uint32_t keyLow = src->srcKey_.low;
    const uint32_t keyHigh = src->srcKey_.high;
    // The source column of each destination column, worked out once for all rows.
    const int64_t cols = std::max<int64_t>(right - left, 0);
    std::vector<int32_t> column(static_cast<size_t>(cols));
    for (int64_t x = left; x < right; ++x)
        column[x - left] = static_cast<int32_t>(s.left + (x - d.left) * sw / dw);
    const int32_t* sourceColumn = column.data();
    const bool threeToFour = sw * 4 == dw * 3;
    int64_t lastSy = -1;
    for (int64_t y = top; y < bottom; ++y) {
        const int64_t sy = s.top + (y - d.top) * sh / dh;
        uint8_t* row = memory_.get() + y * pitch_ + left;
        // A plain copy of the source row just expanded repeats the destination row above.
        if (!keyed && sy == lastSy) {
            std::memcpy(row, row - pitch_, static_cast<size_t>(cols));
            continue;
        }
        lastSy = sy;
        const uint8_t* srcRow = from.pixels + sy * from.pitch;
        if (!keyed) {
            StretchRow(row, srcRow, sourceColumn, cols, left - d.left, threeToFour);
            continue;
        }
        for (int64_t x = 0; x < cols; ++x) {
            const uint8_t texel = srcRow[sourceColumn[x]];
            if (texel >= keyLow && texel <= keyHigh) continue;
            row[x] = texel;
        }
    }
    Changed();
    return DD_OK;
}

HResult Surface::BltFast(uint32_t x, uint32_t y, Surface* src, const Rect* srcRect,
                         uint32_t flags) {
    if (HResult fault = TakeFault("BltFast")) return fault;
    if (!src) return DDERR_INVALIDPARAMS;
    if (locked_ || src->locked_) return DDERR_SURFACEBUSY;
    if (bytesPerPixel_ != 1 || src->bytesPerPixel_ != 1) return DDERR_INVALIDPIXELFORMAT;
    Rect s = srcRect ? *srcRect : Whole(*src);
    if (!InsideSurface(s, *src)) return DDERR_INVALIDRECT;
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;

    // Destination corner and the part of the source rectangle that lands inside this surface.
    const int64_t dx = x;
    const int64_t dy = y;
    const int64_t w = s.right - s.left;
    const int64_t h = s.bottom - s.top;
    const int64_t cols = std::min<int64_t>(w, static_cast<int64_t>(width_) - dx);
    const int64_t rows = std::min<int64_t>(h, static_cast<int64_t>(height_) - dy);
    if (cols <= 0 || rows <= 0) return DD_OK;

    SourcePixels from(*src, *this);
    const uint32_t keyLow = src->srcKey_.low;
    const uint32_t keyHigh = src->srcKey_.high;
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* srcRow = from.pixels + (s.top + r) * from.pitch + s.left;
        uint8_t* row = memory_.get() + (dy + r) * pitch_ + dx;
        if (!keyed) {
            std::memmove(row, srcRow, static_cast<size_t>(cols));
            continue;
        }
        for (int64_t c = 0; c < cols; ++c) {
            const uint8_t texel = srcRow[c];
            if (texel >= keyLow && texel <= keyHigh) continue;
            row[c] = texel;
        }
    }
    Changed();
    return DD_OK;
}

}  // namespace platform
