#include "render/fill_wall_columns.h"

#include "render/bitmap.h"
#include "render/fill_common.h"

using namespace fill;

namespace {

enum class WallRule { LightMap, TransparentTranslucent, Transparent, Translucent, Opaque };

WallRule ChooseWallRule() {
    const bool translucent = (CurrentFaceFlags & FaceTranslucent) != 0 && BlendTable != nullptr;
    if (TextureLightMap) {
        return WallRule::LightMap;
    }
    if (TextureTransparent) {
        return translucent ? WallRule::TransparentTranslucent : WallRule::Transparent;
    }
    return translucent ? WallRule::Translucent : WallRule::Opaque;
}

// Paints count pixels down one screen column. v is the 16.16 texel row of the first
// pixel; rows outside the column are held at its first or last texel.
template <WallRule Rule>
void PaintColumn(uint8_t* dst, int pitch, const uint8_t* column, int lastRow, int64_t v,
                 int32_t vStep, int count, const uint8_t* shade) {
    for (int i = 0; i < count; ++i, dst += pitch, v += vStep) {
        const int64_t row = v >> 16;
        const uint8_t t = column[row < 0 ? 0 : (row > lastRow ? lastRow : row)];
        if constexpr (Rule == WallRule::LightMap) {
            *dst = ShadeRowOf(t)[*dst];
        } else if constexpr (Rule == WallRule::TransparentTranslucent) {
            if (t != 0) {
                *dst = BlendTable[(shade[t] << 8) + *dst];
            }
        } else if constexpr (Rule == WallRule::Transparent) {
            if (t != 0) {
                *dst = shade[t];
            }
        } else if constexpr (Rule == WallRule::Translucent) {
            *dst = BlendTable[(shade[t] << 8) + *dst];
        } else {
            *dst = shade[t];
        }
    }
}

void PaintWallColumn(WallRule rule, uint8_t* dst, int pitch, const uint8_t* column, int lastRow,
                     int64_t v, int32_t vStep, int count, const uint8_t* shade) {
    switch (rule) {
        case WallRule::LightMap:
            PaintColumn<WallRule::LightMap>(dst, pitch, column, lastRow, v, vStep, count, shade);
            break;
        case WallRule::TransparentTranslucent:
            PaintColumn<WallRule::TransparentTranslucent>(dst, pitch, column, lastRow, v, vStep,
                                                          count, shade);
            break;
        case WallRule::Transparent:
            PaintColumn<WallRule::Transparent>(dst, pitch, column, lastRow, v, vStep, count, shade);
            break;
        case WallRule::Translucent:
            PaintColumn<WallRule::Translucent>(dst, pitch, column, lastRow, v, vStep, count, shade);
            break;
        case WallRule::Opaque:
            PaintColumn<WallRule::Opaque>(dst, pitch, column, lastRow, v, vStep, count, shade);
            break;
    }
}

// The texels of texture column u: in place, or decoded into the line buffer when the
// texture is run-length coded. Null for an empty coded column.
const uint8_t* ColumnSource(int u) {
    if (TextureRunLength) {
        if (DecodeTextureColumn(u, WallTexture.bitmap, LineBuffer) == 0) {
            return nullptr;
        }
        return LineBuffer;
    }
    return WallTexture.pixels + u * (WallTexture.lastRow + 1);
}

// A coded column is expanded into the line buffer, so it must fit there.
bool ColumnSourceFits() { return !TextureRunLength || WallTexture.lastRow < LineBufferSize; }

// Per-call terms of the depth and texture-column recurrences shared by both fillers.
struct ColumnWalk {
    int64_t n;  // depth numerator: n / d is twice the wall's depth along the column
    int32_t d;  // depth denominator, advanced by dStep per column
    int32_t dStep;
    int64_t m;  // texture-column numerator, lowered by k per column
    int64_t k;
};

// The depth along the column, guarded: the division is made only when its quotient
// surely fits, else twice corner 0's depth is used.
int32_t GuardedDoubleDepth(const ColumnWalk& w, Fixed16 c0z) {
    const auto high = static_cast<int32_t>(w.n >> 32);
    const int32_t halfD = w.d >> 1;
    const bool fits =
        (w.d > 0 && high >= 0 && high < halfD) || (w.d < 0 && halfD < high && high <= 0);
    if (fits) {
        if (auto q = Div(w.n, w.d)) {
            return *q;
        }
    }
    return Mul(2, c0z);
}

}  // namespace

void FillWallColumns() {
    if (EdgeRangeMin >= EdgeRangeMax || !ColumnSourceFits()) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const WallRule rule = ChooseWallRule();
    const FixedVector& c0 = ViewCorners[0];
    const FixedVector& c1 = ViewCorners[1];
    const FixedVector& c2 = ViewCorners[2];
    const FixedVector& c3 = ViewCorners[3];
    const int32_t sx = ProjectionScaleX;
    const int32_t sy = ProjectionScaleY;
    const int32_t w1 = WallTexture.lastColumn;
    const int32_t h1 = WallTexture.lastRow;

    const int32_t y0 = c0.y < c1.y ? c0.y : c1.y;
    const int32_t y3 = c3.y > c2.y ? c3.y : c2.y;
    const int32_t height = Sub(y3, y0);

    const int32_t dX = Sub(c1.x, c0.x);
    const int32_t dZ = Sub(c1.z, c0.z);
    int32_t j = EdgeRangeMin / 2 - ViewCentreX;
    ColumnWalk w;
    w.n = int64_t{MulShift(dZ >> 3, sx, 16)} * c0.x - int64_t{MulShift(dX >> 3, sx, 16)} * c0.z;
    w.dStep = dZ >> 4;
    w.d = Sub(Mul(j, w.dStep), MulShift(dX >> 4, sx, 16));
    w.m = ((int64_t{Mul(sx >> 4, w1)} * c0.x) >> 16) - int64_t{Mul(j, w1)} * (c0.z >> 4);
    w.k = int64_t{w1} * (c0.z >> 4);

    // Texel rows per wall height, and the wall's top in texel rows (16.16).
    const int32_t rowScale = MulShift(sy, height >> 4, 16);
    const auto topRows = Div(int64_t{y0} * Shl(h1, 16), height);

    for (int col = EdgeRangeMin / 2; col <= EdgeRangeMax / 2; ++col) {
        const int32_t depth2 = GuardedDoubleDepth(w, c0.z);
        const auto vStep = Div(int64_t{depth2} * Shl(h1, 11), rowScale);
        std::optional<int32_t> u = 0;
        if (w.d != 0) {
            u = Div(w.m, w.d);
        }
        const int count = EdgeMax[col] - EdgeMin[col] + 1;
        if (vStep && u && topRows && count > 0) {
            int texColumn = *u < 0 ? 0 : (*u & 511);
            if (texColumn > w1) {
                texColumn = w1;
            }
            if (const uint8_t* source = ColumnSource(texColumn)) {
                const int top = EdgeMin[col];
                int32_t v = Add(Sub(Mul(top, *vStep), *topRows), 0x8000);
                if (v < 0) {
                    v = 0;
                }
                uint8_t* dst = FrameBuffer + (top + ViewCentreY) * pitch + col;
                PaintWallColumn(rule, dst, pitch, source, h1, v, *vStep, count,
                                ShadeRowOf(EdgeMinLight[col] >> 16));
            }
        }
        w.d = Add(w.d, w.dStep);
        w.m -= w.k;
        ++j;
    }
    ResetEdgeRange();
}

void FillWallColumnsTiled() {
    if (EdgeRangeMin >= EdgeRangeMax || !ColumnSourceFits()) {
        ResetEdgeRange();
        return;
    }
    const int pitch = Pitch();
    const FixedVector& c0 = ViewCorners[0];
    const FixedVector& c1 = ViewCorners[1];
    const int32_t sx = ProjectionScaleX;
    const int32_t sy = ProjectionScaleY;
    const int32_t h1 = WallTexture.lastRow;
    const uint32_t width = WallTexture.lastColumn + 1u;
    const int32_t texHeight = h1 + 1;
    const bool byMask = IsPowerOfTwo(static_cast<uint32_t>(texHeight));
    const int32_t limit = texHeight << 8;
    const bool transparent = TextureTransparent != 0;
    const bool fromBottom = (CurrentFaceFlags & FaceMirrorSecondEdge) != 0;
    const int32_t offsetRows = TextureOffsetV & 0xFF;

    const int32_t y0 = c0.y < c1.y ? c0.y : c1.y;
    const int32_t dX = Sub(c1.x, c0.x);
    const int32_t dZ = Sub(c1.z, c0.z);
    int32_t j = EdgeRangeMin / 2 - ViewCentreX;
    ColumnWalk w;
    w.n = int64_t{MulShift(dZ >> 4, sx, 16)} * Mul(2, c0.x) -
          int64_t{MulShift(dX >> 4, sx, 16)} * Mul(2, c0.z);
    w.dStep = dZ >> 4;
    w.d = Sub(Mul(j, w.dStep), MulShift(dX >> 4, sx, 16));
    const int32_t l2 = 2 * WallLengthUnits;
    w.m = ((int64_t{Mul(sx >> 5, l2)} * c0.x) >> 15) - int64_t{Mul(j, l2)} * (c0.z >> 4);
    w.k = int64_t{l2} * (c0.z >> 4);
    const bool narrow = EdgeRangeMax - EdgeRangeMin <= 4;

    for (int col = EdgeRangeMin / 2; col <= EdgeRangeMax / 2; ++col) {
        std::optional<int32_t> depth2;
        if (narrow) {
            depth2 = GuardedDoubleDepth(w, c0.z);
        } else if (w.d == 0) {
            depth2 = Mul(2, c0.z);
        } else {
            depth2 = Div(w.n, w.d);
        }
        std::optional<int32_t> rowsPerPixel;
        if (depth2) {
            rowsPerPixel = Div(int64_t{*depth2} << 16, sy);
        }
        std::optional<int32_t> u = 0;
        if (w.d != 0) {
            u = Div(w.m, w.d);
        }
        const int top = EdgeMin[col];
        const int count = EdgeMax[col] - top + 1;
        if (rowsPerPixel && u && count > 0) {
            auto vStep = static_cast<int32_t>(static_cast<int16_t>(*rowsPerPixel >> 8));
            int32_t texU = *u < 1 ? 0 : *u - 1;
            texU = static_cast<int32_t>(static_cast<uint16_t>(texU + TextureOffsetU) % width);
            if (const uint8_t* source = ColumnSource(texU)) {
                const int32_t lStep = LightStep(EdgeMinLight[col], EdgeMaxLight[col], count);
                int32_t v = Sub(Mul(top, vStep), y0 >> 7);
                if (fromBottom) {
                    v = Sub(0, v);
                    vStep = -vStep;
                }
                if (v < 0) {
                    v = 0;
                }
                if (byMask) {
                    v = ((((v >> 8) + offsetRows) & h1) << 8) | (v & 0xFF);
                } else {
                    v = static_cast<int32_t>((int64_t{v} + (offsetRows << 8)) % limit);
                }
                // Repeat by subtraction: the step is brought within one texture height once, so
                // one subtraction or addition keeps each pixel's row inside the texture.
                const int32_t wrapStep = byMask ? vStep : vStep % limit;
                int32_t light = EdgeMinLight[col] >> 8;
                uint8_t* dst = FrameBuffer + (top + ViewCentreY) * pitch + col;
                const uint8_t* const shades = ShadeTable;
                for (int i = 0; i < count; ++i, dst += pitch) {
                    const uint8_t t = source[v >> 8];
                    if (!transparent || t != 0) {
                        *dst = ShadeRowOf(shades, light >> 8)[t];
                    }
                    v += wrapStep;
                    if (byMask) {
                        v = (((v >> 8) & h1) << 8) | (v & 0xFF);
                    } else if (v >= limit) {
                        v -= limit;
                    } else if (v < 0) {
                        v += limit;
                    }
                    light += lStep;
                }
            }
        }
        w.d = Add(w.d, w.dStep);
        w.m -= w.k;
        ++j;
    }
    ResetEdgeRange();
}
