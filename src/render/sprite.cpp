#include "render/sprite.h"

#include <bit>

#include "render/bitmap.h"
#include "render/fill_common.h"
#include "render/lighting.h"
#include "render/view.h"

using namespace fill;

namespace {

// Texture column of each visible screen column of the sprite being drawn.
int ColumnMap[SpriteColumnMapSize];

enum class SpriteLoop { Plain, Translucent, Stipple };

int64_t RoundToPixel(int64_t v) { return (v + 0x8000) >> 16; }

// The reduced-precision projection of the sprite drawer: low 8 bits zero. Kept in
// 64 bits so that a corner far outside the view cannot wrap into it.
int64_t ProjectCorner(int64_t v, int32_t scale, int32_t depth) {
    return ((int64_t{scale >> 4} * (v >> 4)) / depth) * 256;
}

int OutCode(int64_t x, int64_t y, int64_t left, int64_t right, int64_t top, int64_t bottom) {
    return (x < left ? StatusLeft : 0) | (x > right ? StatusRight : 0) | (y < top ? StatusTop : 0) |
           (y > bottom ? StatusBottom : 0);
}

// One screen row of a run-length coded sprite from the decoded line. Special rows
// (whose line has fill runs of texel 1 or 2) darken under texel 1 and brighten under
// texel 2; the stipple loop draws only where the rotating mask has a bit.
void PaintCodedRow(uint8_t* dst, int columns, const uint8_t* line, SpriteLoop loop, bool special,
                   int level, uint32_t mask) {
    const uint8_t* shade = ShadeRowOf(level);
    const uint8_t* shadow = ShadeRowOf(SpriteShadowLevel);
    const uint8_t* highlight = ShadeRowOf(ShadeLevels - 1);
    for (int i = 0; i < columns; ++i) {
        const uint8_t t = line[ColumnMap[i]];
        if (loop == SpriteLoop::Stipple) {
            mask = std::rotl(mask, 1);
            if ((mask & 1) == 0) {
                continue;
            }
        }
        if (t == 0) {
            continue;
        }
        uint8_t& d = dst[i];
        if (special && t == 1) {
            d = shadow[d];
        } else if (special && t == 2) {
            d = highlight[d];
        } else if (loop == SpriteLoop::Translucent) {
            d = BlendTable[(shade[t] << 8) + d];
        } else {
            d = shade[t];
        }
    }
}

// One screen row of an uncoded sprite: texel 1 darkens the pixel by SpriteShadowDrop levels.
void PaintUncodedRow(uint8_t* dst, int columns, const uint8_t* line, int level) {
    const uint8_t* shade = ShadeRowOf(level);
    const uint8_t* shadow = ShadeRowOf(level - SpriteShadowDrop);
    for (int i = 0; i < columns; ++i) {
        const uint8_t t = line[ColumnMap[i]];
        if (t == 1) {
            dst[i] = shadow[dst[i]];
        } else if (t != 0) {
            dst[i] = shade[t];
        }
    }
}

}  // namespace

int DrawSprite(const SpriteRecord* sprite, const Bitmap* bitmap, int ownerId) {
    const int pitch = Pitch();
    TextureRunLength = (bitmap->flags & BitmapRunLength) != 0 ? 1 : 0;
    Fixed16 vx = 0;
    Fixed16 vy = 0;
    Fixed16 vz = 0;
    CameraTransformPoint(sprite->x, sprite->y, sprite->z, &vx, &vy, &vz);
    RenderStatus = 0;
    if (vz < 0x8000) {
        RenderStatus = StatusNear;
        return RenderStatus;
    }

    // The view-space rectangle at the anchor's depth (view y grows downward).
    const int64_t left =
        int64_t{vx} - (int64_t{sprite->width} << 15) + (int64_t{sprite->trimLeft} << 16);
    const int64_t right =
        int64_t{vx} + (int64_t{sprite->width} << 15) - (int64_t{sprite->trimRight} << 16);
    const int64_t top =
        int64_t{vy} - (int64_t{sprite->height} << 16) + (int64_t{sprite->trimTop} << 16);
    const int64_t bottom = int64_t{vy} - (int64_t{sprite->trimBottom} << 16);
    // Trims that cross each other leave nothing to draw.
    if (right < left || bottom < top) {
        return RenderStatus;
    }
    const int frontA = OutCode(left, top, -int64_t{vz}, vz, -int64_t{vz}, vz);
    const int frontB = OutCode(right, bottom, -int64_t{vz}, vz, -int64_t{vz}, vz);
    RenderStatus = frontA | frontB;
    if ((frontA & frontB) != 0) {
        return RenderStatus;
    }
    RenderStatus |= StatusDrawn;

    const int32_t sx = ProjectionScaleX;
    const int32_t sy = ProjectionScaleY;
    if (sx <= 0 || sy <= 0) {
        return RenderStatus;
    }
    const int64_t px = (int64_t{vz} << 16) / sx;
    const int64_t py = (int64_t{vz} << 16) / sy;

    const int64_t l = ProjectCorner(left, sx, vz);
    const int64_t t = ProjectCorner(top, sy, vz);
    const int64_t r = ProjectCorner(right, sx, vz);
    const int64_t b = ProjectCorner(bottom, sy, vz);
    // A clip rectangle that holds no pixel of the view (one set wholly outside it) lets nothing
    // through.
    if (ClipRight < ClipLeft || ClipBottom < ClipTop) {
        RenderStatus &= ~StatusDrawn;
        return RenderStatus;
    }
    const int clipA = OutCode(l, t, ClipLeft, ClipRight, ClipTop, ClipBottom);
    const int clipB = OutCode(r, b, ClipLeft, ClipRight, ClipTop, ClipBottom);
    RenderStatus = clipA | clipB;
    if ((clipA & clipB) != 0) {
        return RenderStatus;
    }
    RenderStatus |= StatusDrawn;

    // The texture spans the whole sprite: the trims cut the visible rectangle only.
    const int64_t leftPx =
        RoundToPixel(ProjectCorner(int64_t{vx} - (int64_t{sprite->width} << 15), sx, vz));
    const int64_t rightPx =
        RoundToPixel(ProjectCorner(int64_t{vx} + (int64_t{sprite->width} << 15), sx, vz));
    const int64_t topPx =
        RoundToPixel(ProjectCorner(int64_t{vy} - (int64_t{sprite->height} << 16), sy, vz));
    const int64_t bottomPx = RoundToPixel(ProjectCorner(vy, sy, vz));
    const int64_t leftC = RoundToPixel(l < ClipLeft ? ClipLeft : (l > ClipRight ? ClipRight : l));
    const int64_t topC = RoundToPixel(t < ClipTop ? ClipTop : (t > ClipBottom ? ClipBottom : t));
    const int64_t rightC = RoundToPixel(r < ClipLeft ? ClipLeft : (r > ClipRight ? ClipRight : r));
    const int64_t bottomC = RoundToPixel(b < ClipTop ? ClipTop : (b > ClipBottom ? ClipBottom : b));
    const int bw = bitmap->width;
    const int bh = bitmap->height;
    const int64_t spanX = rightPx - leftPx + 1;
    const int64_t spanY = bottomPx - topPx + 1;
    const int columns = static_cast<int>(rightC - leftC + 1);
    // A sprite trimmed to nothing, an empty bitmap, or a coded row too wide for the
    // line buffer draws nothing.
    if (spanX <= 0 || spanY <= 0 || columns <= 0 || columns > SpriteColumnMapSize ||
        bottomC < topC || bw == 0 || bh == 0 || (TextureRunLength && bw > LineBufferSize)) {
        return RenderStatus;
    }

    int32_t uStep =
        static_cast<int32_t>((static_cast<uint32_t>(bw) << 16) / static_cast<uint64_t>(spanX));
    int32_t vStep =
        static_cast<int32_t>((static_cast<uint32_t>(bh) << 16) / static_cast<uint64_t>(spanY));
    int32_t u = Cut((leftC - leftPx) * uStep);
    int32_t v = Cut((topC - topPx) * vStep);

    // Light the visible corners: clamped sides move to the clip edge at the anchor's depth.
    const int32_t xl = l < ClipLeft ? Cut(leftC * px) : Cut(left);
    const int32_t xr = r > ClipRight ? Cut(rightC * px) : Cut(right);
    const int32_t yt = t < ClipTop ? Cut(topC * py) : Cut(top);
    const int32_t yb = b > ClipBottom ? Cut(bottomC * py) : Cut(bottom);
    ViewPlaneNormal = {0, 0, -FixedOne};
    PolygonVertex corners[4] = {{xl, yt, vz, 0}, {xr, yt, vz, 0}, {xr, yb, vz, 0}, {xl, yb, vz, 0}};
    for (PolygonVertex& c : corners) {
        LightSpriteVertex(c, ownerId);
    }
    int32_t light = (corners[0].light + corners[1].light) >> 1;
    const int32_t bottomLight = (corners[2].light + corners[3].light) >> 1;
    const int32_t lightStep =
        bottomC == topC ? 0 : static_cast<int32_t>((bottomLight - light) / (bottomC - topC));

    if ((sprite->flags & SpriteMirrorX) != 0) {
        const int32_t magnitude = uStep;
        uStep = -uStep;
        u = Cut((int64_t{bw} << 16) - magnitude - u);
    }
    if ((sprite->flags & SpriteMirrorY) != 0) {
        const int32_t magnitude = vStep;
        vStep = -vStep;
        v = Cut((int64_t{bh} << 16) - magnitude - v);
    }
    for (int i = 0; i < columns; ++i) {
        ColumnMap[i] = Clamp(static_cast<int>((int64_t{u} + int64_t{i} * uStep) >> 16), 0, bw - 1);
    }

    SpriteLoop loop = SpriteLoop::Plain;
    if ((sprite->flags & SpriteTranslucent) != 0) {
        if (StippleMasks != nullptr) {
            loop = SpriteLoop::Stipple;
        } else if (BlendTable != nullptr) {
            loop = SpriteLoop::Translucent;
        }
    }
    int decodedRow = -9999;
    int decodeResult = 0;
    int maskIndex = 0;
    uint8_t* dst = FrameBuffer + (ViewCentreY + topC) * pitch + ViewCentreX + leftC;
    for (int64_t row = topC; row <= bottomC;
         ++row, dst += pitch, v = Add(v, vStep), light = Add(light, lightStep)) {
        const int texRow = Clamp(v >> 16, 0, bh - 1);
        const int level = light >> 16;
        if (!TextureRunLength) {
            PaintUncodedRow(dst, columns, bitmap->Pixels() + texRow * bw, level);
            continue;
        }
        if (texRow != decodedRow) {
            decodeResult = DecodeSpriteRow(texRow, bitmap, LineBuffer);
            decodedRow = texRow;
        }
        if (decodeResult == 0) {
            continue;
        }
        uint32_t mask = 0;
        if (loop == SpriteLoop::Stipple) {
            mask = StippleMasks[maskIndex];
            maskIndex = (maskIndex + 1) & 31;
        }
        PaintCodedRow(dst, columns, LineBuffer, loop, decodeResult != 3, level, mask);
    }
    return RenderStatus;
}
