#pragma once
// The renderer's image: an 8-bit palette-index picture with a four-word header, the pixels
// following the header in the same block.
#include <cstdint>

namespace platform {
class Surface;
}

// Bitmap flags.
constexpr uint16_t BitmapColumnMajor = 0x0001;  // pixel (x, y) at x * height + y (wall textures)
constexpr uint16_t BitmapTransparent = 0x0002;  // texel 0 leaves the destination pixel
constexpr uint16_t BitmapRunLength = 0x0004;    // lines are run-length coded
constexpr uint16_t BitmapLightMap = 0x0800;     // texels are light levels applied to the frame

struct Bitmap {
    uint16_t flags;
    uint16_t width;
    uint16_t height;
    uint16_t size;  // width * height, low 16 bits

    uint8_t* Pixels() { return reinterpret_cast<uint8_t*>(this + 1); }
    const uint8_t* Pixels() const { return reinterpret_cast<const uint8_t*>(this + 1); }
};
static_assert(sizeof(Bitmap) == 8, "the pixels start 8 bytes into the block");

// A zero-filled bitmap block of width x height pixels; released with FreeBitmap.
Bitmap* NewBitmap(uint16_t flags, int width, int height);
void FreeBitmap(Bitmap* bitmap);

// Copies the rectangle {left, top, right, bottom} (inclusive) of an 8-bit surface into a new
// bitmap, column by column with BitmapColumnMajor, else row by row. Null when the surface cannot
// be locked or the rectangle does not lie inside it.
Bitmap* CaptureBitmap(platform::Surface* surface, const int rect[4], uint16_t flags);

// Decode one run-length coded line (a column of a column-major bitmap, a row of a row-major one)
// into buffer. 0 for an empty line (nothing written); else the value of the last fill run of 1
// or 2, or 3 when the line has none.
int DecodeTextureColumn(int index, const Bitmap* bitmap, uint8_t* buffer);
int DecodeSpriteRow(int index, const Bitmap* bitmap, uint8_t* buffer);
