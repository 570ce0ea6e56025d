// The drawing of RmRasterRows, written once over a set of vector operations `V` and compiled
// by each source that includes it for its own instruction set. Everything here has internal
// linkage, so that no function compiled for one instruction set can stand in for another's.
//
// `V` gives Lanes, the vector types F (floats) and I (32-bit integers) and operations on them
// that behave as their scalar counterparts lane by lane: Min(a, b) is a < b ? a : b and
// Max(a, b) is a > b ? a : b, comparisons are false for NaN, ToInt truncates (and gives
// 0x80000000 for what does not fit), Madd multiplies integers below 2^15.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/limits.h"
#include "platform/rm_raster_rows_detail.h"

namespace platform {
namespace {

// Pixels of a row handled between two writes of the pixels: the values of each pixel of that
// many columns are kept for a group of rows.
constexpr int RowsChunk = 32;

// A span's texel step in 16.16 for a change of `delta` texels times 2^16 along it, when it is
// not smaller than the texture's side (or not a number): truncated, then wrapped into the side.
inline int32_t WideStep(float delta, int64_t fixedSize) {
    const float magnitude = delta < 0.0f ? -delta : delta;
    int64_t step = magnitude < 1e15f ? static_cast<int64_t>(delta) : 0;
    if (step >= fixedSize || step <= -fixedSize) step %= fixedSize;
    return static_cast<int32_t>(step);
}

template <class V>
struct RowsKernel {
    using F = typename V::F;
    using I = typename V::I;
    static constexpr int L = V::Lanes;

    // floor(q), exactly: whole already from 2^23 on (or not a number).
    static F Floor(F q) {
        const F f = V::ToFloat(V::ToInt(q));
        const F below = V::Sub(f, V::And(V::Gt(f, q), V::Set(1.0f)));
        return V::Select(V::Lt(V::Abs(q), V::Set(8388608.0f)), below, q);
    }
    static F Ceil(F x) {
        const F f = V::ToFloat(V::ToInt(x));
        const F above = V::Add(f, V::And(V::Lt(f, x), V::Set(1.0f)));
        return V::Select(V::Lt(V::Abs(x), V::Set(8388608.0f)), above, x);
    }
    // A texel coordinate wrapped into 0 .. size; 0 when it is not a finite number.
    static F Wrapped(F t, F size, F invSize) {
        const F w = V::Sub(t, V::Mul(size, Floor(V::Mul(t, invSize))));
        return V::And(V::And(V::Ge(w, V::Set(0.0f)), V::Lt(w, size)), w);
    }
    // A span's step in 16.16 from `delta` (texels times 2^16 along one pixel).
    static I Step(F delta, F fixedSizeF, int32_t fixedSize) {
        I step = V::ToInt(delta);
        const F fits = V::Lt(V::Abs(delta), fixedSizeF);
        if (V::Mask(fits) != (1 << L) - 1) {
            alignas(64) float deltas[L];
            alignas(64) int32_t steps[L];
            V::Store(deltas, delta);
            V::Store(steps, step);
            for (int lane = 0; lane < L; ++lane) {
                if (!(V::Mask(fits) >> lane & 1)) steps[lane] = WideStep(deltas[lane], fixedSize);
            }
            step = V::Load(steps);
        }
        return step;
    }
    // A texel coordinate in 16.16 one pixel on, wrapped into 0 .. fixedSize by one subtraction
    // or addition.
    static I Advance(I at, I step, I fixedSize, I lastFixed) {
        at = V::Add(at, step);
        at = V::Sub(at, V::And(V::Gt(at, lastFixed), fixedSize));
        return V::Add(at, V::And(V::Gt(V::Set(0), at), fixedSize));
    }

    static void Draw(RmRasterRows& job) {
        const bool powerOfTwo =
            ((job.texWidth & (job.texWidth - 1)) | (job.texHeight & (job.texHeight - 1))) == 0;
        if (!job.texels) {
            Run<false, true>(job);
        } else if (powerOfTwo) {
            Run<true, true>(job);
        } else {
            Run<true, false>(job);
        }
    }

    // A texture (else one colour) and, when textured, whether its sides are powers of two (which
    // wrap by a mask).
    template <bool textured, bool powerOfTwo>
    static void Run(RmRasterRows& job) {
        alignas(64) float depths[RowsChunk * L];
        alignas(64) int32_t shadeAt[RowsChunk * L];  // level * colours
        alignas(64) int32_t texelAt[RowsChunk * L];
        alignas(64) int32_t starts[L], lengths[L];
        int32_t first[L], last[L];
        uint64_t count[L];

        const int32_t span = job.spanPixels;
        const F topX = V::Set(job.topX), topY = V::Set(job.topY);
        const F midX = V::Set(job.midX), midY = V::Set(job.midY);
        const F longDx = V::Set(job.bottomX - job.topX), longDy = V::Set(job.bottomY - job.topY);
        const F upperDx = V::Set(job.midX - job.topX), upperDy = V::Set(job.midY - job.topY);
        const F lowerDx = V::Set(job.bottomX - job.midX), lowerDy = V::Set(job.bottomY - job.midY);
        const F clipLeft = V::Set(float(job.clipLeft)), clipRight = V::Set(float(job.clipRight));
        const F x0 = V::Set(job.x0), y0 = V::Set(job.y0);
        const F dz = V::Set(job.dx[0]), du = V::Set(job.dx[1]), dw = V::Set(job.dx[2]),
                dl = V::Set(job.dx[3]);
        const F width = V::Set(float(job.texWidth)), height = V::Set(float(job.texHeight));
        const F invWidth = V::Set(1.0f / float(job.texWidth)),
                invHeight = V::Set(1.0f / float(job.texHeight));
        const int32_t fixedWidth = job.texWidth << 16, fixedHeight = job.texHeight << 16;
        const F fixedWidthF = V::Set(float(fixedWidth)), fixedHeightF = V::Set(float(fixedHeight));
        const I fixedW = V::Set(fixedWidth), fixedH = V::Set(fixedHeight);
        const I lastW = V::Set(fixedWidth - 1), lastH = V::Set(fixedHeight - 1);
        const I texWidth = V::Set(job.texWidth), colours = V::Set(job.colours);
        const F one = V::Set(1.0f), zero = V::Set(0.0f), fixedOne = V::Set(65536.0f);
        const F levels = V::Set(float(LightShadeLevels - 1)), half = V::Set(0.5f);
        uint8_t* const pixels = job.pixels;
        float* const depthBuffer = job.depth;
        const uint8_t* const texels = job.texels;
        const uint8_t* const shades = job.shades;
        const int32_t hidden = textured ? job.hiddenShade : ShadeColours;

        for (int32_t j0 = job.firstRow; j0 < job.endRow; j0 += L) {
            // The ends of each row, as the rows are set up one at a time.
            const I row = V::Add(V::Set(j0), V::Iota());
            const F y = V::ToFloat(row);
            const F dy = V::Sub(y, topY);
            const F xLong = V::Add(topX, V::Div(V::Mul(dy, longDx), longDy));
            const F xUpper = V::Add(topX, V::Div(V::Mul(dy, upperDx), upperDy));
            const F xLower = V::Add(midX, V::Div(V::Mul(V::Sub(y, midY), lowerDx), lowerDy));
            const F xShort = V::Select(V::Lt(y, midY), xUpper, xLower);
            const F startF = V::Max(clipLeft, Ceil(V::Min(xShort, xLong)));
            const F endF = V::Min(clipRight, Ceil(V::Max(xShort, xLong)));
            const I drawn = V::And(V::AsI(V::Lt(startF, endF)), V::Gt(V::Set(job.endRow), row));
            const I start = V::And(drawn, V::ToInt(startF));
            const I length = V::And(drawn, V::Sub(V::ToInt(endF), start));
            V::Store(starts, start);
            V::Store(lengths, length);
            int32_t longest = 0;
            for (int lane = 0; lane < L; ++lane) {
                longest = lengths[lane] > longest ? lengths[lane] : longest;
                first[lane] = INT32_MAX, last[lane] = INT32_MIN, count[lane] = 0;
            }
            if (longest == 0) continue;

            // The values at each row's first pixel, then stepped a pixel at a time.
            const F x = V::Sub(V::ToFloat(start), x0), yAt = V::Sub(y, y0);
            F value[4];
            for (int a = 0; a < 4; ++a) {
                value[a] = V::Add(V::Add(V::Set(job.at[a]), V::Mul(V::Set(job.dx[a]), x)),
                                  V::Mul(V::Set(job.dy[a]), yAt));
            }
            F z = value[0], u = value[1], w = value[2], l = value[3];
            I atU = V::Set(0), stepU = V::Set(0), atV = V::Set(0), stepV = V::Set(0);
            int32_t spanLeft = 0;
            for (int32_t k0 = 0; k0 < longest; k0 += RowsChunk) {
                const int32_t chunk = longest - k0 < RowsChunk ? longest - k0 : RowsChunk;
                for (int32_t k = 0; k < chunk; ++k) {
                    const I column = V::Set(k0 + k);
                    if (textured && spanLeft-- == 0) {
                        // Exact perspective at the span's two ends, linear in between.
                        I n = V::Sub(length, column);
                        n = V::Select(V::Gt(n, V::Set(span)), V::Set(span), n);
                        n = V::Select(V::Gt(n, V::Set(0)), n, V::Set(1));
                        const F pixelsF = V::ToFloat(n);
                        const F z1 = V::Add(z, V::Mul(pixelsF, dz));
                        const F u1 = V::Add(u, V::Mul(pixelsF, du));
                        const F w1 = V::Add(w, V::Mul(pixelsF, dw));
                        const F d0 = V::Div(one, z), d1 = V::Div(one, z1);
                        const F fromU = V::Mul(V::Mul(u, d0), width);
                        const F toU = V::Mul(V::Mul(u1, d1), width);
                        const F fromV = V::Mul(V::Mul(w, d0), height);
                        const F toV = V::Mul(V::Mul(w1, d1), height);
                        atU = V::ToInt(V::Mul(Wrapped(fromU, width, invWidth), fixedOne));
                        atV = V::ToInt(V::Mul(Wrapped(fromV, height, invHeight), fixedOne));
                        stepU = Step(V::Mul(V::Div(V::Sub(toU, fromU), pixelsF), fixedOne),
                                     fixedWidthF, fixedWidth);
                        stepV = Step(V::Mul(V::Div(V::Sub(toV, fromV), pixelsF), fixedOne),
                                     fixedHeightF, fixedHeight);
                        spanLeft = span - 1;
                    }
                    V::Store(depths + k * L, z);
                    const F held = V::And(V::Gt(l, zero), V::Min(l, one));
                    const I level = V::ToInt(V::Add(V::Mul(held, levels), half));
                    V::Store(shadeAt + k * L, V::Madd(level, colours));
                    if constexpr (textured) {
                        const I at = V::Add(V::Madd(V::Shift16(atV), texWidth), V::Shift16(atU));
                        V::Store(texelAt + k * L, at);
                        if constexpr (powerOfTwo) {
                            atU = V::And(V::Add(atU, stepU), lastW);
                            atV = V::And(V::Add(atV, stepV), lastH);
                        } else {
                            atU = Advance(atU, stepU, fixedW, lastW);
                            atV = Advance(atV, stepV, fixedH, lastH);
                        }
                    }
                    z = V::Add(z, dz), u = V::Add(u, du), w = V::Add(w, dw), l = V::Add(l, dl);
                }
                // The light steps evenly along a row, so its levels there lie between those of
                // the row's two ends: every level these columns take has its row filled.
                int32_t shadeLo = INT32_MAX, shadeHi = -1;
                for (int lane = 0; lane < L; ++lane) {
                    const int32_t left = lengths[lane] - k0;
                    if (left <= 0) continue;
                    const int32_t ends[2] = {
                        shadeAt[lane], shadeAt[((left < chunk ? left : chunk) - 1) * L + lane]};
                    for (int32_t at : ends) {
                        shadeLo = at < shadeLo ? at : shadeLo;
                        shadeHi = at > shadeHi ? at : shadeHi;
                    }
                }
                if (shadeLo <= shadeHi) {
                    job.prepare(job.table, shadeLo / job.colours, shadeHi / job.colours);
                }

                for (int lane = 0; lane < L; ++lane) {
                    const int32_t left = lengths[lane] - k0;
                    const int32_t n = left < chunk ? left : chunk;
                    if (n <= 0) continue;
                    const ptrdiff_t j = j0 + lane;
                    uint8_t* const pixelRow = pixels + j * job.pitch;
                    float* const depthRow = depthBuffer + j * job.depthPitch;
                    const int32_t i0 = starts[lane] + k0;
                    int32_t rowFirst = first[lane], rowLast = last[lane];
                    uint64_t rowCount = count[lane];
                    for (int32_t k = 0; k < n; ++k) {
                        const int32_t i = i0 + k;
                        const float pz = depths[k * L + lane];
                        if (!(pz >= depthRow[i])) continue;
                        const int32_t shade = textured ? texels[texelAt[k * L + lane]] : 0;
                        if (shade == hidden) continue;
                        pixelRow[i] = shades[shadeAt[k * L + lane] + shade];
                        depthRow[i] = pz;
                        rowFirst = rowFirst < i ? rowFirst : i;
                        rowLast = i;
                        ++rowCount;
                    }
                    first[lane] = rowFirst, last[lane] = rowLast, count[lane] = rowCount;
                }
            }
            for (int lane = 0; lane < L; ++lane) {
                if (count[lane] == 0) continue;
                job.drawn += count[lane];
                job.left = first[lane] < job.left ? first[lane] : job.left;
                job.right = last[lane] + 1 > job.right ? last[lane] + 1 : job.right;
                job.top = j0 + lane < job.top ? j0 + lane : job.top;
                job.bottom = j0 + lane + 1 > job.bottom ? j0 + lane + 1 : job.bottom;
            }
        }
    }
};

}  // namespace
}  // namespace platform
