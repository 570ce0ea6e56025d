#include "render/fill_face_floors.h"

#include "render/face_record.h"
#include "render/fill_common.h"
#include "render/lighting.h"

using namespace fill;

namespace {

// A horizontal unit axis of the texture frame.
struct Axis {
    float x;
    float z;
};

// Distance along an axis, truncated to a whole Fixed16, then scaled to 16.16 texels
// and clamped to the texture.
int32_t TexelCoordinate(float x, float z, const FixedVector& t0, Axis axis, float scale,
                        int32_t limit) {
    const int32_t along = DoubleToInt32((static_cast<double>(x) - t0.x) * axis.x +
                                        (static_cast<double>(z) - t0.z) * axis.z);
    return Clamp(DoubleToInt32(along * static_cast<double>(scale)), 0, limit);
}

}  // namespace

void FillFloorSpansFace(const FaceRecord* face) {
    const FixedVector& t0 = face->texOrigin;
    const FixedVector& t1 = face->texUEnd;
    const FixedVector& t2 = face->texVEnd;
    const Fixed16 lenU = Distance2D(t0.x, t0.z, t1.x, t1.z);
    const Fixed16 lenV = Distance2D(t0.x, t0.z, t2.x, t2.z);
    if (EdgeRangeMax < EdgeRangeMin || lenU == 0 || lenV == 0 || ProjectionScaleX == 0) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const int32_t w1 = FloorTexture.lastColumn;
    const int32_t h1 = FloorTexture.lastRow;
    const int32_t width = w1 + 1;
    const uint8_t* const texels =
        FloorTexture.pixels;  // held here: the pixel stores may not move it
    const float invU = static_cast<float>(1.0 / lenU);
    const float invV = static_cast<float>(1.0 / lenV);
    const float scaleU = static_cast<float>(w1 * static_cast<double>(invU) * 65536.0);
    const float scaleV = static_cast<float>(h1 * static_cast<double>(invV) * 65536.0);
    const Axis axisU{static_cast<float>(static_cast<double>(int64_t{t1.x} - t0.x) * invU),
                     static_cast<float>(static_cast<double>(int64_t{t1.z} - t0.z) * invU)};
    const Axis axisV{static_cast<float>(static_cast<double>(int64_t{t2.x} - t0.x) * invV),
                     static_cast<float>(static_cast<double>(int64_t{t2.z} - t0.z) * invV)};
    const float sy = static_cast<float>(ProjectionScaleY / 65536.0);
    const float kx = static_cast<float>(65536.0 / ProjectionScaleX);
    const int32_t uLimit = w1 << 16;
    const int32_t vLimit = h1 << 16;

    for (int row = EdgeRangeMin / 2; row <= EdgeRangeMax / 2; ++row) {
        const int count = EdgeMax[row] - EdgeMin[row] + 1;
        // The centre row looks along the level plane: it has no depth and is not drawn.
        if (count <= 0 || row == ViewCentreY) {
            continue;
        }
        const float z = static_cast<float>(t0.y * static_cast<double>(sy) / (row - ViewCentreY));
        const float xLeft = static_cast<float>(EdgeMin[row] * static_cast<double>(z) * kx);
        const float xRight = static_cast<float>(EdgeMax[row] * static_cast<double>(z) * kx);
        const int32_t uLeft = TexelCoordinate(xLeft, z, t0, axisU, scaleU, uLimit);
        const int32_t vLeft = TexelCoordinate(xLeft, z, t0, axisV, scaleV, vLimit);
        const int32_t uRight = TexelCoordinate(xRight, z, t0, axisU, scaleU, uLimit);
        const int32_t vRight = TexelCoordinate(xRight, z, t0, axisV, scaleV, vLimit);
        const int32_t du = (uRight - uLeft) / count;
        const int32_t dv = (vRight - vLeft) / count;
        uint8_t* dst = FrameBuffer + row * pitch + ViewCentreX + EdgeMin[row];
        int32_t u = uLeft;
        int32_t v = vLeft;
        int k = 0;
        for (; k + 4 <= count; k += 4, u += 4 * du, v += 4 * dv) {
            dst[k] = texels[(v >> 16) * width + (u >> 16)];
            dst[k + 1] = texels[((v + dv) >> 16) * width + ((u + du) >> 16)];
            dst[k + 2] = texels[((v + 2 * dv) >> 16) * width + ((u + 2 * du) >> 16)];
            dst[k + 3] = texels[((v + 3 * dv) >> 16) * width + ((u + 3 * du) >> 16)];
        }
        for (; k < count; ++k, u += du, v += dv) {
            dst[k] = texels[(v >> 16) * width + (u >> 16)];
        }
    }
    ResetEdgeRange();
}
