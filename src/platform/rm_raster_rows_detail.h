// The rows of a triangle whose pixels come from a shade table (a grey light on a texture of few
// colours, or on a colour of whole components), set up several rows at a time in vector
// registers: each row's ends, its starting values, the values at every pixel and the texel walk
// of every span are found for a group of rows at once, then each row's pixels are written.
// Every step is the same arithmetic, in the same order, as the rasterizer makes a row at a time,
// so every instruction set gives the same pixels.
#pragma once
#include <cstdint>

#include "platform/vector_isa.h"

namespace platform {

struct RmRasterRows {
    // The corners from top to bottom, in screen coordinates, and the rows and columns drawn.
    float topX, topY, midX, midY, bottomX, bottomY;
    int32_t firstRow, endRow;
    int32_t clipLeft, clipRight;
    // 1 / depth, u / depth, v / depth and light as planes over the screen:
    // value = at + dx * (x - x0) + dy * (y - y0).
    float x0, y0;
    float at[4], dx[4], dy[4];
    int32_t spanPixels;
    // The texture as each texel's number in the shade table, rows top first; null for a face of
    // one colour, which is number 0. Sides of at most RasterRowsTextureSide texels.
    const uint8_t* texels;
    int32_t texWidth, texHeight;
    int32_t hiddenShade;  // the number of texels not drawn; ShadeColours when none
    // The shade table's rows (Colours() entries a level) and how to have rows filled.
    const uint8_t* shades;
    int32_t colours;
    void (*prepare)(void* table, int32_t lo, int32_t hi);
    void* table;
    // Where to draw.
    uint8_t* pixels;
    int32_t pitch;
    float* depth;
    int32_t depthPitch;
    // What was drawn: pixels written and their bounds (left, top, right, bottom; right and
    // bottom excluded), to be merged by the caller.
    uint64_t drawn;
    int32_t left, top, right, bottom;
};

// Draws the rows four lanes at a time in plain C++: on every architecture.
void RmRasterRowsPortable(RmRasterRows& rows);

#if DUSK_X86_VECTORS
// Draws the rows with SSE2, which every x86-64 machine has. The AVX2 build is in
// rm_raster_rows_avx2_detail.h.
void RmRasterRowsSse2(RmRasterRows& rows);
#endif

}  // namespace platform
