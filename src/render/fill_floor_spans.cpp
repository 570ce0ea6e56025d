#include "render/fill_floor_spans.h"

#include "render/fill_common.h"

using namespace fill;

namespace {

// Paints count pixels of a row. v holds the 8.8 texel row times the texture width and
// u the 8.8 texel column; both stay between the row's clamped ends, so every read lies
// inside the texture.
template <bool Transparent, bool PowerOfTwoWidth>
void PaintRow(uint8_t* dst, const uint8_t* pixels, int64_t width, int64_t v, int64_t vStep,
              int32_t u, int32_t uStep, int32_t light, int32_t lStep, int count) {
    const uint8_t* const shades = ShadeTable;
    for (int i = 0; i < count; ++i, ++dst, v += vStep, u += uStep, light += lStep) {
        const int64_t scaledRow = v >> 8;
        const int64_t rowStart =
            PowerOfTwoWidth ? (scaledRow & -width) : scaledRow - scaledRow % width;
        const uint8_t t = pixels[rowStart + (u >> 8)];
        if (!Transparent || t != 0) {
            *dst = ShadeRowOf(shades, light >> 8)[t];
        }
    }
}

using RowPainter = void (*)(uint8_t*, const uint8_t*, int64_t, int64_t, int64_t, int32_t, int32_t,
                            int32_t, int32_t, int);

RowPainter ChoosePainter(bool transparent, bool powerOfTwoWidth) {
    if (transparent) {
        return powerOfTwoWidth ? PaintRow<true, true> : PaintRow<true, false>;
    }
    return powerOfTwoWidth ? PaintRow<false, true> : PaintRow<false, false>;
}

}  // namespace

void FillFloorSpans() {
    if (EdgeRangeMin > EdgeRangeMax) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const int32_t w1 = FloorTexture.lastColumn;
    const int32_t h1 = FloorTexture.lastRow;
    const int64_t width = w1 + 1;
    const RowPainter paint =
        ChoosePainter(TextureTransparent != 0, IsPowerOfTwo(static_cast<uint32_t>(width)));
    const int32_t uMax = w1 << 8;
    const int32_t vMax = h1 << 8;
    const FixedVector& c0 = ViewCorners[0];
    const FixedVector& c2 = ViewCorners[2];
    const FixedVector& c3 = ViewCorners[3];
    const int32_t sx = ProjectionScaleX;
    const int32_t sy = ProjectionScaleY;

    // The texture's axes in the floor plane: u from corner 3 to corner 2, v from corner 0 to
    // corner 3.
    const int32_t ex = Sub(c2.x, c3.x);
    const int32_t ez = Sub(c2.z, c3.z);
    const int32_t fx = Sub(c3.x, c0.x);
    const int32_t fz = Sub(c3.z, c0.z);
    const int32_t e2 = Add(MulShift(ex, ex, 20), MulShift(ez, ez, 20));
    const int32_t f2 = Add(MulShift(fx, fx, 20), MulShift(fz, fz, 20));

    const auto v0 = Div(int64_t{Mul(c0.x >> 4, h1)} * fx + int64_t{Mul(c0.z >> 4, h1)} * fz, f2);
    const int64_t uNumerator = int64_t{Mul(c3.x >> 4, w1)} * ex + int64_t{Mul(c3.z >> 4, w1)} * ez;
    const int32_t uHigh = Cut(uNumerator >> 31);
    const int64_t uHighMagnitude = uHigh < 0 ? -int64_t{uHigh} : int64_t{uHigh};
    const auto u0 = uHighMagnitude >= e2 ? std::nullopt : Div(uNumerator, e2);

    const auto vPerDepth = Div(int64_t{fz} * Shl(h1, 16), f2);
    const auto uPerDepth = Div(int64_t{ez} * Shl(w1, 16), e2);
    const auto vPerPixelScaled = Div(int64_t{Shl(h1, 16)} * fx, sx);
    const auto uPerPixelScaled = Div(int64_t{Shl(w1, 16)} * ex, sx);
    std::optional<int32_t> dVdx;
    std::optional<int32_t> dUdx;
    if (vPerPixelScaled && uPerPixelScaled) {
        dVdx = Div(int64_t{*vPerPixelScaled} << 12, f2);
        dUdx = Div(int64_t{*uPerPixelScaled} << 12, e2);
    }
    if (!v0 || !u0 || !vPerDepth || !uPerDepth || !dVdx || !dUdx) {
        ResetEdgeRange();
        return;
    }
    const int32_t dVdz = *vPerDepth >> 4;
    const int32_t dUdz = *uPerDepth >> 4;
    const int64_t zNumerator = (int64_t{c0.y} * sy) >> 16;

    for (int row = EdgeRangeMin / 2; row <= EdgeRangeMax / 2; ++row) {
        const auto r = static_cast<int16_t>(row - ViewCentreY);
        const auto z = r == 0 ? std::optional<int32_t>(c3.z) : Div(zNumerator, r);
        const int left = EdgeMin[row];
        const int count = EdgeMax[row] - left + 1;
        if (!z || count <= 0) {
            continue;
        }
        const int32_t vz = MulShift(*z, dVdz, 16);
        const int32_t uz = MulShift(*z, dUdz, 16);
        auto vAt = [&](int x) {
            const int32_t v = Sub(Add(MulShift(Mul(x, *dVdx), *z, 16), vz), *v0) >> 8;
            return int64_t{Clamp(v, 0, vMax)} * width;
        };
        auto uAt = [&](int x) {
            const int32_t u = Sub(Add(MulShift(Mul(x, *dUdx), *z, 16), uz), *u0) >> 8;
            return Clamp(u, 0, uMax);
        };
        const int64_t vLeft = vAt(left);
        const int32_t uLeft = uAt(left);
        const int64_t vStep = (vAt(EdgeMax[row]) - vLeft) / count;
        const int32_t uStep = (uAt(EdgeMax[row]) - uLeft) / count;
        const int32_t lStep = LightStep(EdgeMinLight[row], EdgeMaxLight[row], count);
        uint8_t* dst = FrameBuffer + row * pitch + ViewCentreX + left;
        paint(dst, FloorTexture.pixels, width, vLeft, vStep, uLeft, uStep, EdgeMinLight[row] >> 8,
              lStep, count);
    }
    ResetEdgeRange();
}
