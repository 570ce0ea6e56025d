#include "world/cube_faces.h"

#include "render/face.h"
#include "world/cube.h"
#include "world/limits.h"
#include "world/texture_table.h"

namespace {

// Fills the face record for face slot f with the corners in the order given and draws it.
void DrawCubeFace(const Cube& cube, int f, const FixedVector* const corners[4], uint8_t flags) {
    FaceRecord face;
    face.texOrigin = cube.texU[f];
    face.texUEnd = cube.texV[f];
    face.texVEnd = cube.texW[f];
    for (int i = 0; i < 4; ++i) {
        face.corners[i] = *corners[i];
    }
    face.viewNormal = {static_cast<float>(cube.normal[f].x / 65536.0),
                       static_cast<float>(cube.normal[f].y / 65536.0),
                       static_cast<float>(cube.normal[f].z / 65536.0)};
    face.bitmap = TextureAt(cube.texture[f]);
    face.vOffset = 0;
    face.uOffset = 0;
    face.flags = flags;
    face.brightness = FaceBrightness;
    DrawFace(&face);
}

}  // namespace

bool FloorShape(const Cube& cube, FloorShapeResult& shape) {
    const Fixed16 y0 = cube.Bottom(0).y, y1 = cube.Bottom(1).y, y2 = cube.Bottom(2).y;
    if (y0 == y1 && y1 == y2) {
        shape = {0, static_cast<uint8_t>(cube.faceFlags[FloorSlot])};
    } else if (y0 == y1 && y2 < y1) {
        shape = {0, SlopedFaceFlags};
    } else if (y0 < y1 && y1 == y2) {
        shape = {1, SlopedFaceFlags};
    } else if (y1 < y0 && y1 == y2) {
        shape = {3, SlopedFaceFlags};
    } else if (y0 == y1 && y2 > y1) {
        shape = {2, SlopedFaceFlags};
    } else {
        return false;
    }
    return true;
}

bool Textured(const Cube& cube, int f) { return cube.texture[f] != OpenFace; }

bool SideDrawn(const Cube& cube, int k) {
    const int next = (k + 1) & 3;
    const bool zeroHeight = cube.top[k] == cube.bottom[k] && cube.top[next] == cube.bottom[next];
    return !cube.Degenerate(k) && Textured(cube, k) && !zeroHeight;
}

void DrawCeiling(const Cube& cube) {
    const FixedVector* corners[4] = {&cube.Top(0), &cube.Top(1), &cube.Top(2), &cube.Top(3)};
    const bool level = corners[0]->y == corners[1]->y && corners[1]->y == corners[2]->y;
    DrawCubeFace(cube, CeilingSlot, corners,
                 level ? static_cast<uint8_t>(cube.faceFlags[CeilingSlot]) : SlopedFaceFlags);
}

void DrawFloor(const Cube& cube) {
    FloorShapeResult shape;
    if (!FloorShape(cube, shape)) {
        return;
    }
    const FixedVector* corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i] = &cube.Bottom(shape.first + i);
    }
    DrawCubeFace(cube, FloorSlot, corners, shape.flags);
}

void DrawSide(const Cube& cube, int k) {
    const FixedVector* corners[4] = {&cube.Top(k), &cube.Top(k + 1), &cube.Bottom(k + 1),
                                     &cube.Bottom(k)};
    DrawCubeFace(cube, k, corners, static_cast<uint8_t>(cube.faceFlags[k]));
}
