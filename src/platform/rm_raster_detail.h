// The triangle rasterizer: depth-tested, Gouraud-lit, nearest-texel triangles written as
// palette indices, the texture in perspective at every few pixels and linear in between. A pixel is
// drawn when its centre lies inside the triangle; pixel (i, j) has its centre at screen point (i,
// j), and edges follow the top-left rule, so triangles sharing an edge draw each pixel once.
#pragma once
#include <cstdint>

#include "platform/limits.h"
#include "platform/rm_palette_map.h"
#include "platform/rm_texture.h"
#include "platform/types.h"

namespace platform {

// How faces lit through shade tables are drawn: a row at a time, or several rows at a time in
// lanes of plain C++ (on every machine) or in the vector registers of an x86-64 instruction set.
// Each gives the same pixels.
enum class RmRasterIsa { None, Portable, Sse2, Avx2 };
// The widest this build has on this machine: Portable where the x86-64 vector code is not built.
RmRasterIsa RmRasterBestIsa();

struct RmRasterTarget {
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    float* depth = nullptr;  // 1 / depth per pixel, 0 when cleared; `depthPitch` floats a row
    int32_t depthPitch = 0;
    Rect clip;  // pixels drawn: left <= i < right, top <= j < bottom
    const RmPaletteMap* palette = nullptr;
    // Pixels of a row between two exact perspective divisions of the texture coordinates;
    // 1 divides at every pixel.
    int32_t spanPixels = RasterSpanPixels;
    // Whether grey-lit textures of few colours take their pixels from shade tables; false
    // lights every pixel exactly.
    bool shadeTables = true;
    // How such faces are drawn; an instruction set beyond RmRasterBestIsa() stands for that.
    RmRasterIsa isa = RmRasterBestIsa();
};

struct RmRasterVertex {
    float x = 0.0f, y = 0.0f;  // screen position
    float invZ = 0.0f;         // 1 / view depth
    float uOverZ = 0.0f, vOverZ = 0.0f;
    float red = 0.0f, green = 0.0f, blue = 0.0f;              // diffuse light, 0 .. 1
    float specRed = 0.0f, specGreen = 0.0f, specBlue = 0.0f;  // highlight, 0 .. 1
};

struct RmRasterFace {
    const RmTexture* texture = nullptr;                 // null: the colour below
    float red = 255.0f, green = 255.0f, blue = 255.0f;  // 0 .. 255
    bool specular = false;                              // whether the vertices carry a highlight
};

// What was drawn: pixels written and their bounding rectangle (empty when none).
struct RmRasterStats {
    uint64_t pixels = 0;
    Rect bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
};

void RmRasterTriangle(const RmRasterTarget& target, const RmRasterFace& face,
                      const RmRasterVertex& a, const RmRasterVertex& b, const RmRasterVertex& c,
                      RmRasterStats& stats);

}  // namespace platform
