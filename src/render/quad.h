#pragma once
// Textured quads: the door leaves and animated panels of the cube world. A quad given in
// world space is lit, run through the polygon pipeline and handed to a wall (column) filler
// or a floor (row) filler, chosen by its texture's layout and its face flags.
#include <cstdint>

#include "base/fixed.h"

struct Bitmap;

struct QuadRecord {
    FixedVector corners[4];  // world space, in order around the quad
    const Bitmap* bitmap;
    uint16_t offsetU;  // texel offsets handed to the tiled fillers
    uint16_t offsetV;
    uint8_t flags;       // FaceFlags
    uint8_t brightness;  // 128 = 1.0
};

// Draws the quad and returns the status word (RenderStatus); 0x20 is set when something was
// drawn. A quad without a texture, or with an empty one, draws nothing and returns 0.
int DrawTexturedQuad(const QuadRecord* quad);

// Makes the bitmap the current wall texture (column-major) or floor texture (row-major).
void SetColumnTexture(const Bitmap* bitmap);
void SetRowTexture(const Bitmap* bitmap);

// The two paths of DrawTexturedQuad once the texture and the filler inputs are set.
void DrawWallQuad(const QuadRecord* quad);
void DrawFloorQuad(const QuadRecord* quad);

// The texture's size allows drawing: a texture with no texels is never handed to a filler.
bool DrawableBitmap(const Bitmap* bitmap);
