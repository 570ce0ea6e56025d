#include "platform/rm_raster_detail.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "platform/rm_raster_rows_avx2_detail.h"
#include "platform/rm_raster_rows_detail.h"
#include "platform/rm_shade_table.h"
#include "platform/vector_isa.h"

namespace platform {

namespace {

// An attribute as a plane over the screen: value = at + dx * (x - x0) + dy * (y - y0).
struct Gradient {
    float at, dx, dy;
};

struct Setup {
    float x0, y0, dxB, dyB, dxC, dyC, invArea;
    Gradient Of(float a, float b, float c) const {
        float db = b - a, dc = c - a;
        return {a, (db * dyC - dc * dyB) * invArea, (dc * dxB - db * dxC) * invArea};
    }
};

inline float ValueAt(const Gradient& g, const Setup& s, float x, float y) {
    return g.at + g.dx * (x - s.x0) + g.dy * (y - s.y0);
}

// A light the same in all three colours.
inline bool Grey(const RmRasterVertex& v) { return v.red == v.green && v.green == v.blue; }

// A texture's size, and its reciprocal, as the texel walk wraps by them.
struct TextureSize {
    float width, height, invWidth, invHeight;
    int64_t fixedWidth, fixedHeight;  // 16.16
    TextureSize(int w, int h)
        : width(float(w)), height(float(h)), invWidth(1.0f / width), invHeight(1.0f / height),
          fixedWidth(int64_t{w} << 16), fixedHeight(int64_t{h} << 16) {}
};

// A texel coordinate, in texels, wrapped into 0 .. size; 0 when it is not a finite number.
inline float Wrapped(float t, float size, float invSize) {
    t -= size * std::floor(t * invSize);
    return t >= 0.0f && t < size ? t : 0.0f;
}

// One texel coordinate along a span in 16.16: exact at the span's start, stepped linearly to
// the exact value at its end, and wrapped into the texture by one subtraction or addition.
struct FixedWalk {
    int64_t at = 0, step = 0, size = 1;
    void Begin(float from, float to, int n, float fsize, float invSize, int64_t fixedSize) {
        size = fixedSize;
        at = int64_t(Wrapped(from, fsize, invSize) * 65536.0f);  // scaling by 2^16 is exact
        const float delta = (to - from) / float(n) * 65536.0f;
        step = std::fabs(delta) < 1e15f ? int64_t(delta) : 0;
        if (step >= size || step <= -size) step %= size;
    }
    void Step() {
        at += step;
        if (at >= size) {
            at -= size;
        } else if (at < 0) {
            at += size;
        }
    }
};

// The texel under each pixel of a row: the perspective division is made at the ends of spans
// of a few pixels, and the texture coordinates step linearly in between.
struct TexelWalk {
    FixedWalk u, v;
    void Begin(float z0, float uz0, float vz0, float z1, float uz1, float vz1, int n,
               const TextureSize& t) {
        const float d0 = 1.0f / z0, d1 = 1.0f / z1;
        u.Begin(uz0 * d0 * t.width, uz1 * d1 * t.width, n, t.width, t.invWidth, t.fixedWidth);
        v.Begin(vz0 * d0 * t.height, vz1 * d1 * t.height, n, t.height, t.invHeight, t.fixedHeight);
    }
    int Column() const { return int(u.at >> 16); }
    int Row() const { return int(v.at >> 16); }
    void Step() {
        u.Step();
        v.Step();
    }
};

// x where the edge from p to q (p above q) crosses row y.
inline float EdgeX(const RmRasterVertex& p, const RmRasterVertex& q, float y) {
    return p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
}

// The rows of a face lit through a shade table, several at a time in vector registers.
void DrawRows(const RmRasterTarget& target, const RmRasterVertex& top, const RmRasterVertex& mid,
              const RmRasterVertex& bottom, int firstRow, int endRow, const Setup& s,
              const Gradient (&planes)[4], const RmTexture* tex, RmShadeTable& shades,
              RmRasterStats& stats) {
    RmRasterRows rows{};
    rows.topX = top.x, rows.topY = top.y, rows.midX = mid.x, rows.midY = mid.y;
    rows.bottomX = bottom.x, rows.bottomY = bottom.y;
    rows.firstRow = firstRow, rows.endRow = endRow;
    rows.clipLeft = target.clip.left, rows.clipRight = target.clip.right;
    rows.x0 = s.x0, rows.y0 = s.y0;
    for (int k = 0; k < 4; ++k) {
        rows.at[k] = planes[k].at, rows.dx[k] = planes[k].dx, rows.dy[k] = planes[k].dy;
    }
    rows.spanPixels = std::max(1, target.spanPixels);
    rows.texels = tex ? tex->ShadeIndices() : nullptr;
    rows.texWidth = tex ? tex->Width() : 1;
    rows.texHeight = tex ? tex->Height() : 1;
    rows.hiddenShade = tex ? tex->HiddenShade() : ShadeColours;
    rows.shades = shades.Entries();
    rows.colours = shades.Colours();
    rows.prepare = [](void* table, int32_t lo, int32_t hi) {
        static_cast<RmShadeTable*>(table)->Prepare(lo, hi);
    };
    rows.table = &shades;
    rows.pixels = target.pixels, rows.pitch = target.pitch;
    rows.depth = target.depth, rows.depthPitch = target.depthPitch;
    rows.left = rows.top = INT32_MAX, rows.right = rows.bottom = INT32_MIN;
    switch (std::min(target.isa, RmRasterBestIsa())) {
#if DUSK_X86_VECTORS
        case RmRasterIsa::Avx2: RmRasterRowsAvx2(rows); break;
        case RmRasterIsa::Sse2: RmRasterRowsSse2(rows); break;
#endif
        default: RmRasterRowsPortable(rows); break;
    }
    stats.pixels += rows.drawn;
    if (rows.drawn) {
        stats.bounds.left = std::min(stats.bounds.left, rows.left);
        stats.bounds.top = std::min(stats.bounds.top, rows.top);
        stats.bounds.right = std::max(stats.bounds.right, rows.right);
        stats.bounds.bottom = std::max(stats.bounds.bottom, rows.bottom);
    }
}

}  // namespace

RmRasterIsa RmRasterBestIsa() {
#if DUSK_X86_VECTORS
    static const RmRasterIsa best =
        __builtin_cpu_supports("avx2") ? RmRasterIsa::Avx2 : RmRasterIsa::Sse2;
    return best;
#else
    return RmRasterIsa::Portable;
#endif
}

void RmRasterTriangle(const RmRasterTarget& target, const RmRasterFace& face,
                      const RmRasterVertex& a, const RmRasterVertex& b, const RmRasterVertex& c,
                      RmRasterStats& stats) {
    Setup s{a.x, a.y, b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y, 0.0f};
    float area = s.dxB * s.dyC - s.dxC * s.dyB;
    if (!(std::fabs(area) > 1e-12f) || !std::isfinite(area)) return;
    s.invArea = 1.0f / area;

    // Top to bottom; corners on one row keep their order.
    const RmRasterVertex* v[3] = {&a, &b, &c};
    if (v[1]->y < v[0]->y) std::swap(v[0], v[1]);
    if (v[2]->y < v[1]->y) std::swap(v[1], v[2]);
    if (v[1]->y < v[0]->y) std::swap(v[0], v[1]);
    const RmRasterVertex &top = *v[0], &mid = *v[1], &bottom = *v[2];

    float firstRowF = std::max(std::ceil(top.y), float(target.clip.top));
    float endRowF = std::min(std::ceil(bottom.y), float(target.clip.bottom));
    if (!(firstRowF < endRowF)) return;
    int firstRow = static_cast<int>(firstRowF), endRow = static_cast<int>(endRowF);

    Gradient invZ = s.Of(a.invZ, b.invZ, c.invZ);
    Gradient uZ = s.Of(a.uOverZ, b.uOverZ, c.uOverZ);
    Gradient vZ = s.Of(a.vOverZ, b.vOverZ, c.vOverZ);
    Gradient lr = s.Of(a.red, b.red, c.red);

    const RmTexture* tex = face.texture;
    const RmPaletteMap& map = *target.palette;
    // Under a grey light a texture of few colours, or a colour of whole components, is lit
    // through its shade table.
    RmShadeTable* shades = nullptr;
    if (target.shadeTables && !face.specular && Grey(a) && Grey(b) && Grey(c)) {
        shades = tex ? tex->Shades(map) : map.ColourShades(face.red, face.green, face.blue);
    }
    if (shades && target.isa != RmRasterIsa::None &&
        (!tex ||
         (tex->Width() <= RasterRowsTextureSide && tex->Height() <= RasterRowsTextureSide))) {
        const Gradient planes[4] = {invZ, uZ, vZ, lr};
        DrawRows(target, top, mid, bottom, firstRow, endRow, s, planes, tex, *shades, stats);
        return;
    }

    Gradient lg = s.Of(a.green, b.green, c.green);
    Gradient lb = s.Of(a.blue, b.blue, c.blue);
    Gradient sr{}, sg{}, sb{};
    if (face.specular) {
        sr = s.Of(a.specRed * 255.0f, b.specRed * 255.0f, c.specRed * 255.0f);
        sg = s.Of(a.specGreen * 255.0f, b.specGreen * 255.0f, c.specGreen * 255.0f);
        sb = s.Of(a.specBlue * 255.0f, b.specBlue * 255.0f, c.specBlue * 255.0f);
    }

    const uint32_t* texels = tex ? tex->Texels() : nullptr;
    const int texW = tex ? tex->Width() : 1;
    const TextureSize texture(texW, tex ? tex->Height() : 1);
    const int span = std::max(1, target.spanPixels);
    const uint8_t* shadeIndices = shades && tex ? tex->ShadeIndices() : nullptr;

    for (int j = firstRow; j < endRow; ++j) {
        float y = float(j);
        float xLong = EdgeX(top, bottom, y);
        float xShort = y < mid.y ? EdgeX(top, mid, y) : EdgeX(mid, bottom, y);
        float xl = std::min(xLong, xShort), xr = std::max(xLong, xShort);
        float startF = std::max(std::ceil(xl), float(target.clip.left));
        float endF = std::min(std::ceil(xr), float(target.clip.right));
        if (!(startF < endF)) continue;
        int start = static_cast<int>(startF), end = static_cast<int>(endF);

        float x = float(start);
        const float z0 = ValueAt(invZ, s, x, y), u0 = ValueAt(uZ, s, x, y),
                    w0 = ValueAt(vZ, s, x, y);
        const float r0 = ValueAt(lr, s, x, y), g0 = ValueAt(lg, s, x, y), b0 = ValueAt(lb, s, x, y);
        float hr0 = 0, hg0 = 0, hb0 = 0;
        if (face.specular)
            hr0 = ValueAt(sr, s, x, y), hg0 = ValueAt(sg, s, x, y), hb0 = ValueAt(sb, s, x, y);

        uint8_t* pixels = target.pixels + static_cast<ptrdiff_t>(j) * target.pitch;
        float* depths = target.depth + static_cast<ptrdiff_t>(j) * target.depthPitch;
        int drawnFirst = INT32_MAX, drawnLast = INT32_MIN;
        uint64_t drawn = 0;
        // The row's pixels, with the texture and the highlight known when compiled.
        auto paint = [&](auto textured, auto specular, auto shaded) {
            // Locals, so that the byte stores below need not be assumed to change them.
            float z = z0, u = u0, w = w0, r = r0, g = g0, bl = b0, hr = hr0, hg = hg0, hb = hb0;
            const float dz = invZ.dx, du = uZ.dx, dw = vZ.dx, dr = lr.dx, dg = lg.dx, db = lb.dx;
            const float dhr = sr.dx, dhg = sg.dx, dhb = sb.dx;
            const float red = face.red, green = face.green, blue = face.blue;
            const RmPaletteMap::Tables colours = map.View();
            uint8_t* const pixel = pixels;
            float* const depth = depths;
            int first = INT32_MAX, last = INT32_MIN;
            uint64_t count = 0;
            TexelWalk walk;
            int spanLeft = 0;  // pixels before the next exact division
            for (int i = start; i < end; ++i) {
                if (textured && spanLeft-- == 0) {
                    const int n = std::min(span, end - i);
                    walk.Begin(z, u, w, z + float(n) * dz, u + float(n) * du, w + float(n) * dw, n,
                               texture);
                    spanLeft = n - 1;
                }
                if (z >= depth[i]) {
                    float cr = red, cg = green, cb = blue;
                    bool draw = true;
                    int shadeColour = 0;  // the texel's number among the table's colours
                    if (shaded && textured) {
                        const int at = walk.Row() * texW + walk.Column();
                        draw = (texels[at] >> 24) != 0;
                        shadeColour = shadeIndices[at];
                    } else if (textured) {
                        uint32_t texel = texels[walk.Row() * texW + walk.Column()];
                        draw = (texel >> 24) != 0;
                        cr = float((texel >> 16) & 0xFF);
                        cg = float((texel >> 8) & 0xFF);
                        cb = float(texel & 0xFF);
                    }
                    if (draw) {
                        if (shaded) {
                            pixel[i] = shades->Row(ShadeLevel(r))[shadeColour];
                        } else {
                            float pr = cr * r, pg = cg * g, pb = cb * bl;
                            if (specular) pr += hr, pg += hg, pb += hb;
                            pixel[i] = colours.Lookup(LitByte(pr), LitByte(pg), LitByte(pb));
                        }
                        depth[i] = z;
                        first = std::min(first, i);
                        last = i;
                        ++count;
                    }
                }
                if (textured) walk.Step();
                z += dz, u += du, w += dw;
                r += dr, g += dg, bl += db;
                if (specular) hr += dhr, hg += dhg, hb += dhb;
            }
            drawnFirst = first;
            drawnLast = last;
            drawn = count;
        };
        using Yes = std::true_type;
        using No = std::false_type;
        if (shades) {
            texels ? paint(Yes{}, No{}, Yes{}) : paint(No{}, No{}, Yes{});
        } else if (texels) {
            face.specular ? paint(Yes{}, Yes{}, No{}) : paint(Yes{}, No{}, No{});
        } else {
            face.specular ? paint(No{}, Yes{}, No{}) : paint(No{}, No{}, No{});
        }
        stats.pixels += drawn;
        if (drawnLast >= drawnFirst) {
            stats.bounds.left = std::min(stats.bounds.left, drawnFirst);
            stats.bounds.right = std::max(stats.bounds.right, drawnLast + 1);
            stats.bounds.top = std::min(stats.bounds.top, j);
            stats.bounds.bottom = std::max(stats.bounds.bottom, j + 1);
        }
    }
}

}  // namespace platform
