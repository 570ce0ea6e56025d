#include "render/fill_world_floor.h"

#include <cmath>

#include "render/fill_common.h"
#include "render/view.h"

using namespace fill;

Fixed16 FloorTextureOriginX = 0;
Fixed16 FloorTextureOriginZ = 0;
Angle16 FloorTextureAngle = 0;

void SetFloorTextureFrame(Fixed16 x, Fixed16 z, Angle16 angle) {
    FloorTextureOriginX = x;
    FloorTextureOriginZ = z;
    FloorTextureAngle = angle;
}

namespace {

// How a tiled texture is addressed. Textures whose sides are powers of two and which
// hold at most 65536 texels are addressed with masks: the row accumulator holds v
// times the width (shifted left by rowShift) and its top 16 bits, masked, are the
// row's offset. Other textures wrap row and column by remainders, with rowShift 0.
struct TileTexture {
    const uint8_t* pixels;
    int32_t width;
    int32_t height;
    bool masked;
    int rowShift;
    uint32_t rowMask;
    uint32_t columnMask;
};

TileTexture CurrentTileTexture() {
    TileTexture t;
    t.pixels = FloorTexture.pixels;
    t.width = FloorTexture.lastColumn + 1;
    t.height = FloorTexture.lastRow + 1;
    t.masked = IsPowerOfTwo(static_cast<uint32_t>(t.width)) &&
               IsPowerOfTwo(static_cast<uint32_t>(t.height)) && t.width * t.height <= 65536;
    t.rowShift = t.masked ? Log2(static_cast<uint32_t>(t.width)) : 0;
    t.rowMask = static_cast<uint32_t>(FloorTexture.lastRow) << t.rowShift;
    t.columnMask = FloorTexture.lastColumn;
    return t;
}

int32_t Wrap(int32_t v, int32_t n) {
    const int32_t r = v % n;
    return r < 0 ? r + n : r;
}

// Paints count pixels from the 16.16 accumulators v (row, times the width when masked)
// and u (column), stepping the 8.8 light per pixel.
template <bool Transparent, bool Masked>
void PaintTiled(uint8_t* dst, int count, const TileTexture& tex, uint32_t v, uint32_t vStep,
                uint32_t u, uint32_t uStep, int32_t light, int32_t lStep) {
    const uint8_t* const shades = ShadeTable;
    const uint8_t* const pixels = tex.pixels;
    const uint32_t rowMask = tex.rowMask;
    const uint32_t columnMask = tex.columnMask;
    const int32_t width = tex.width;
    const int32_t height = tex.height;
    const auto paint = [=](auto shadeRowAt) {
        uint8_t* out = dst;
        uint32_t at = v, across = u;
        int32_t level = light;
        for (int i = 0; i < count; ++i, ++out, at += vStep, across += uStep, level += lStep) {
            uint8_t t;
            if constexpr (Masked) {
                t = pixels[((at >> 16) & rowMask) + ((across >> 16) & columnMask)];
            } else {
                const int32_t row = Wrap(static_cast<int32_t>(at) >> 16, height);
                const int32_t column = Wrap(static_cast<int32_t>(across) >> 16, width);
                t = pixels[row * width + column];
            }
            if (!Transparent || t != 0) {
                *out = shadeRowAt(level)[t];
            }
        }
    };
    // An even light keeps one row of the shade table for the whole run.
    if (lStep == 0) {
        const uint8_t* const shade = ShadeRowOf(shades, light >> 8);
        paint([shade](int32_t) { return shade; });
    } else {
        paint([shades](int32_t level) { return ShadeRowOf(shades, level >> 8); });
    }
}

void PaintTiledRun(bool transparent, uint8_t* dst, int count, const TileTexture& tex, int32_t v,
                   int32_t vStep, int32_t u, int32_t uStep, int32_t light, int32_t lStep) {
    const auto args = [&](auto painter) {
        painter(dst, count, tex, static_cast<uint32_t>(v), static_cast<uint32_t>(vStep),
                static_cast<uint32_t>(u), static_cast<uint32_t>(uStep), light, lStep);
    };
    if (transparent) {
        tex.masked ? args(PaintTiled<true, true>) : args(PaintTiled<true, false>);
    } else {
        tex.masked ? args(PaintTiled<false, true>) : args(PaintTiled<false, false>);
    }
}

uint8_t* RowStart(int row, int left) { return FrameBuffer + row * Pitch() + ViewCentreX + left; }

}  // namespace

void FillFloorSpansRotated() {
    if (EdgeRangeMin > EdgeRangeMax) {
        ResetEdgeRange();
        return;
    }
    const TileTexture tex = CurrentTileTexture();
    const bool transparent = TextureTransparent != 0;
    const int32_t sx = ProjectionScaleX;

    Fixed16 ox = 0;
    Fixed16 oy = 0;
    Fixed16 oz = 0;
    CameraTransformPoint(FloorTextureOriginX, 0, FloorTextureOriginZ, &ox, &oy, &oz);
    const int a = static_cast<Angle16>(FloorTextureAngle - CameraYaw) >> 6;
    const int32_t sa = 2 * SineTable[a];
    const int32_t ca = 2 * SineTable[a + 256];
    const int32_t ua = Add(MulShift(sa, ox, 16), MulShift(ca, oz, 16));
    const int32_t va = Sub(MulShift(ca, ox, 16), MulShift(sa, oz, 16));
    const int64_t zNumerator = (int64_t{ViewCorners[0].y} * ProjectionScaleY) >> 16;
    const int32_t offsetV = Shl(TextureOffsetV, 16);
    const int32_t offsetU = Shl(TextureOffsetU, 16);

    for (int row = EdgeRangeMin / 2; row <= EdgeRangeMax / 2; ++row) {
        const auto r = static_cast<int16_t>(row - ViewCentreY);
        const auto z = r == 0 ? std::optional<int32_t>(ViewCorners[3].z) : Div(zNumerator, r);
        const int left = EdgeMin[row];
        const int count = EdgeMax[row] - left + 1;
        // A depth at or behind the eye has no pixel size: such a row is not drawn.
        if (!z || *z <= 0 || sx <= 0 || count <= 0) {
            continue;
        }
        const auto q = Div(int64_t{*z} << 16, sx);
        if (!q) {
            continue;
        }
        const int32_t zs = MulShift(*z, sa, 16);
        const int32_t zc = MulShift(*z, ca, 16);
        const int32_t vStep0 = MulShift(*q, ca, 16);
        const int32_t uStep0 = MulShift(sa, *q, 16);
        const int32_t v =
            Shl(Add(Mul(2, Sub(Sub(Mul(left, vStep0), zs), va)), offsetV), tex.rowShift);
        const int32_t u = Add(Mul(2, Sub(Add(Mul(left, uStep0), zc), ua)), offsetU);
        PaintTiledRun(transparent, RowStart(row, left), count, tex, v,
                      Shl(vStep0, tex.rowShift + 1), u, Mul(2, uStep0), EdgeMinLight[row] >> 8,
                      LightStep(EdgeMinLight[row], EdgeMaxLight[row], count));
    }
    ResetEdgeRange();
}

namespace {

// The sloped plane and its texture axes in view space.
struct AlignedPlane {
    int32_t ex, ez;      // unit u axis, horizontal along the first edge
    int32_t fx, fy, fz;  // v axis: across the first edge in the plane
    int32_t nx, ny, nz;  // plane normal
    int32_t d;           // plane constant N . corner 0
    FixedVector c0;
};

struct PlanePoint {
    int32_t u;
    int32_t v;
};

// Where the ray through column x of row r meets the plane, as distances from corner 0
// along the two axes (Fixed16 world units). A ray meeting the plane too far away or
// not at all, or one whose divisions would not fit, gives (0, 0).
PlanePoint PointOnPlane(const AlignedPlane& p, int32_t rowTerm, int r, int x) {
    const auto across = Div(int64_t{Shl(x, 16)} * p.nx, ProjectionScaleX);
    if (!across) {
        return {0, 0};
    }
    const int32_t dx = Add(rowTerm, *across);
    const int64_t dMagnitude = p.d < 0 ? -int64_t{p.d} : p.d;
    const int64_t dxMagnitude = dx < 0 ? -int64_t{dx} : dx;
    if ((dMagnitude >> 15) >= dxMagnitude) {
        return {0, 0};
    }
    const auto z = Div(int64_t{p.d} << 16, dx);
    const auto y = Div(int64_t{p.d} * Shl(r, 16), MulShift(ProjectionScaleY, dx, 16));
    const auto x3 = Div(int64_t{p.d} * Shl(x, 16), MulShift(ProjectionScaleX, dx, 16));
    if (!z || !y || !x3) {
        return {0, 0};
    }
    const int64_t px = Sub(*x3, p.c0.x);
    const int64_t py = Sub(*y, p.c0.y);
    const int64_t pz = Sub(*z, p.c0.z);
    return {Cut((px * p.ex + pz * p.ez) >> 16), Cut((px * p.fx + py * p.fy + pz * p.fz) >> 16)};
}

}  // namespace

void FillFloorSpansAligned() {
    const FixedVector& c0 = ViewCorners[0];
    const FixedVector& c1 = ViewCorners[1];
    const int64_t a = int64_t{c1.x} - c0.x;
    const int64_t b = int64_t{c1.z} - c0.z;
    const auto len = static_cast<int64_t>(
        std::nearbyint(std::sqrt(static_cast<double>(a) * static_cast<double>(a) +
                                 static_cast<double>(b) * static_cast<double>(b))));
    // A first edge with no horizontal extent gives the texture no direction.
    if (EdgeRangeMin > EdgeRangeMax || len == 0) {
        ResetEdgeRange();
        return;
    }
    const TileTexture tex = CurrentTileTexture();
    AlignedPlane p;
    p.c0 = c0;
    p.ex = static_cast<int32_t>((a << 16) / len);
    p.ez = static_cast<int32_t>((b << 16) / len);
    p.nx = ViewPlaneNormal.x;
    p.ny = ViewPlaneNormal.y;
    p.nz = ViewPlaneNormal.z;
    p.fx = MulShift(-p.ez, p.ny, 16);
    p.fy = Sub(MulShift(p.ez, p.nx, 16), MulShift(p.ex, p.nz, 16));
    p.fz = MulShift(p.ex, p.ny, 16);
    p.d = Add(Add(MulShift(p.nx, c0.x, 16), MulShift(p.ny, c0.y, 16)), MulShift(p.nz, c0.z, 16));
    const int32_t offsetV = Shl(TextureOffsetV, 16);
    const int32_t offsetU = Shl(TextureOffsetU, 16);

    for (int row = EdgeRangeMin / 2; row <= EdgeRangeMax / 2; ++row) {
        const int r = static_cast<int16_t>(row - ViewCentreY);
        const int left = EdgeMin[row];
        const int right = EdgeMax[row];
        const auto rowDown = Div(int64_t{Shl(r, 16)} * p.ny, ProjectionScaleY);
        if (right < left || !rowDown) {
            continue;
        }
        const int32_t rowTerm = Add(*rowDown, p.nz);
        int32_t light = EdgeMinLight[row] >> 8;
        const int32_t lStep = LightStep(EdgeMinLight[row], EdgeMaxLight[row], right - left);
        // Sub-spans of at most 64 pixels, mapped exactly at both ends and stepped
        // linearly between; each shares its last pixel with the next.
        int cur = left;
        PlanePoint start = PointOnPlane(p, rowTerm, r, cur);
        for (;;) {
            const int end = cur + 63 < right ? cur + 63 : right;
            const PlanePoint stop = PointOnPlane(p, rowTerm, r, end);
            const int n = end - cur + 1;
            const int32_t du = Sub(stop.u, start.u);
            const int32_t dv = Sub(stop.v, start.v);
            const int32_t uStep0 = n == 64 ? du >> 6 : du / n;
            const int32_t vStep0 = n == 64 ? dv >> 6 : dv / n;
            const int32_t v = Shl(Add(Mul(2, start.v), offsetV), tex.rowShift);
            const int32_t u = Add(Mul(2, start.u), offsetU);
            PaintTiledRun(false, RowStart(row, cur), n, tex, v, Shl(vStep0, tex.rowShift + 1), u,
                          Mul(2, uStep0), light, lStep);
            light += (n - 1) * lStep;
            cur = end;
            start = stop;
            if (cur >= right) {
                break;
            }
        }
    }
    ResetEdgeRange();
}
