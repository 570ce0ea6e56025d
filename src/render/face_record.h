#pragma once
// What the cube world hands the renderer for one face of a cube. DrawFace turns the
// three texture points into view space and writes the view normal for the face fillers.
#include <cstdint>

#include "base/fixed.h"

struct Bitmap;

struct FaceRecord {
    FixedVector texOrigin;  // the texture's origin point: world on entry, view space after DrawFace
    FixedVector texUEnd;    // end of the texture's u axis (columns)
    FixedVector texVEnd;    // end of the texture's v axis (rows)
    FixedVector corners[4];  // world space, in order around the face; a triangle repeats corner 0
    struct {
        float x;
        float y;
        float z;
    } viewNormal;  // the view-space normal over 65536, for the floating-point fillers
    const Bitmap* bitmap;
    uint16_t vOffset;    // whole texels added to the row coordinate of the tiled floor fillers
    uint16_t uOffset;    // and to the column coordinate
    uint8_t flags;       // FaceFlags
    uint8_t brightness;  // 128 = 1.0
};
