#include "render/fill_face_walls.h"

#include <algorithm>

#include "render/face_record.h"
#include "render/fill_common.h"
#include "render/lighting.h"

using namespace fill;

namespace {

// Where one screen column's ray meets the wall: the depth z, the view x of that point
// and the view y of the column's top pixel.
struct ColumnHit {
    float z;
    float x;
    float y;
};

// The wall's plane and the projection factors, common to both fillers.
struct WallFrame {
    FixedVector t0;
    float invU;
    float ax;  // horizontal unit direction of the u axis
    float az;
    float nx;  // horizontal part of the view normal
    float nz;
    float sx;
    float kx;
    float ky;
    double num;  // the plane's distance from the eye, scaled

    // False when the column's ray runs parallel to the wall.
    bool Hit(int col, ColumnHit& hit) const {
        const int dx = col - ViewCentreX;
        const double denominator = dx * static_cast<double>(nx) + nz * static_cast<double>(sx);
        if (denominator == 0.0) {
            return false;
        }
        hit.z = static_cast<float>(num / denominator);
        hit.x = static_cast<float>(dx * static_cast<double>(hit.z) * kx);
        hit.y = static_cast<float>(EdgeMin[col] * static_cast<double>(hit.z) * ky);
        return true;
    }
};

// False for a texture frame with no horizontal u axis or a view with no projection.
bool MakeWallFrame(const FaceRecord* face, WallFrame& w) {
    const FixedVector& t0 = face->texOrigin;
    const FixedVector& t1 = face->texUEnd;
    const Fixed16 lenU = Distance2D(t0.x, t0.z, t1.x, t1.z);
    if (lenU == 0 || ProjectionScaleX == 0 || ProjectionScaleY == 0) {
        return false;
    }
    w.t0 = t0;
    w.invU = static_cast<float>(1.0 / lenU);
    w.ax = static_cast<float>(static_cast<double>(int64_t{t1.x} - t0.x) * w.invU);
    w.az = static_cast<float>(static_cast<double>(int64_t{t1.z} - t0.z) * w.invU);
    w.sx = static_cast<float>(ProjectionScaleX / 65536.0);
    w.kx = static_cast<float>(65536.0 / ProjectionScaleX);
    w.ky = static_cast<float>(65536.0 / ProjectionScaleY);
    w.nx = face->viewNormal.x;
    w.nz = face->viewNormal.z;
    w.num = (static_cast<double>(t0.z) * w.nz + static_cast<double>(t0.x) * w.nx) * w.sx;
    return true;
}

// Paints count pixels one pitch apart from texel position v (16.16, not negative), vStep a
// pixel; rows beyond the texture's last row h1 repeat the last row. Going down, the pixels that
// reach past the last row are counted once, so the texture rows are read without a clamp.
void PaintStretchedColumn(uint8_t* dst, int pitch, const uint8_t* column, int32_t h1, int32_t v,
                          int32_t vStep, int count) {
    if (vStep < 0) {
        int64_t pos = v;
        for (int k = 0; k < count; ++k, dst += pitch, pos += vStep) {
            const int64_t row = pos >> 16;
            *dst = column[row < 0 ? 0 : (row > h1 ? h1 : row)];
        }
        return;
    }
    const int64_t end = (int64_t{h1} + 1) << 16;  // the first position past the last row
    int64_t inside = 0;
    if (v < end) {
        inside = vStep == 0 ? count : std::min<int64_t>(count, (end - v + vStep - 1) / vStep);
    }
    auto pos = static_cast<uint32_t>(v);
    const auto step = static_cast<uint32_t>(vStep);
    int64_t k = 0;
    for (; k + 4 <= inside; k += 4, dst += 4 * pitch, pos += 4 * step) {
        dst[0] = column[pos >> 16];
        dst[pitch] = column[(pos + step) >> 16];
        dst[2 * pitch] = column[(pos + 2 * step) >> 16];
        dst[3 * pitch] = column[(pos + 3 * step) >> 16];
    }
    for (; k < inside; ++k, dst += pitch, pos += step) {
        *dst = column[pos >> 16];
    }
    const uint8_t last = column[h1];
    for (; k < count; ++k, dst += pitch) {
        *dst = last;
    }
}

}  // namespace

void FillWallColumnsFace(const FaceRecord* face) {
    WallFrame w;
    const double lenV = static_cast<double>(int64_t{face->texVEnd.y} - face->texOrigin.y);
    if (EdgeRangeMax < EdgeRangeMin || lenV == 0.0 || !MakeWallFrame(face, w)) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const int32_t w1 = WallTexture.lastColumn;
    const int32_t h1 = WallTexture.lastRow;
    const float invV = static_cast<float>(1.0 / lenV);
    const float scaleU = static_cast<float>(w1 * static_cast<double>(w.invU) * 65536.0);
    const float scaleV = static_cast<float>(h1 * static_cast<double>(invV) * 65536.0);
    const int32_t uLimit = w1 << 16;

    for (int col = EdgeRangeMin / 2; col <= EdgeRangeMax / 2; ++col) {
        const int count = EdgeMax[col] - EdgeMin[col] + 1;
        ColumnHit hit;
        if (count <= 0 || !w.Hit(col, hit)) {
            continue;
        }
        const int32_t along = DoubleToInt32((static_cast<double>(hit.z) - w.t0.z) * w.az +
                                            (static_cast<double>(hit.x) - w.t0.x) * w.ax);
        const int32_t u = Clamp(DoubleToInt32(along * static_cast<double>(scaleU)), 0, uLimit);
        int32_t v = DoubleToInt32(DoubleToInt32(static_cast<double>(hit.y) - w.t0.y) *
                                  static_cast<double>(scaleV));
        if (v < 0) {
            v = 0;
        }
        const int32_t vStep = DoubleToInt32(static_cast<double>(hit.z) * scaleV * w.ky);
        const uint8_t* column = WallTexture.pixels + (u >> 16) * (h1 + 1);
        uint8_t* dst = FrameBuffer + (EdgeMin[col] + ViewCentreY) * pitch + col;
        PaintStretchedColumn(dst, pitch, column, h1, v, vStep, count);
    }
    ResetEdgeRange();
}

void FillWallColumnsTiledFace(const FaceRecord* face) {
    WallFrame w;
    if (EdgeRangeMax < EdgeRangeMin || !MakeWallFrame(face, w)) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const int32_t w1 = WallTexture.lastColumn;
    const int32_t h1 = WallTexture.lastRow;

    for (int col = EdgeRangeMin / 2; col <= EdgeRangeMax / 2; ++col) {
        const int count = EdgeMax[col] - EdgeMin[col] + 1;
        ColumnHit hit;
        if (count <= 0 || !w.Hit(col, hit)) {
            continue;
        }
        const int32_t along = DoubleToInt32((static_cast<double>(hit.x) - w.t0.x) * w.ax +
                                            (static_cast<double>(hit.z) - w.t0.z) * w.az);
        const uint8_t* column = WallTexture.pixels + ((along >> 15) & w1) * (h1 + 1);
        uint32_t pos = static_cast<uint32_t>(DoubleToInt32(static_cast<double>(hit.y) - w.t0.y));
        const auto vStep = static_cast<uint32_t>(DoubleToInt32(static_cast<double>(hit.z) * w.ky));
        uint8_t* dst = FrameBuffer + (EdgeMin[col] + ViewCentreY) * pitch + col;
        for (int k = 0; k < count; ++k, dst += pitch, pos += vStep) {
            *dst = column[(static_cast<int32_t>(pos) >> 15) & h1];
        }
    }
    ResetEdgeRange();
}
