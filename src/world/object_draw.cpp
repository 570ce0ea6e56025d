// Drawing the map objects: door leaves and decos as textured quads, sprites as billboards.
#include "base/wrap.h"
#include "render/lighting.h"
#include "render/quad.h"
#include "render/sprite.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/texture_table.h"

namespace {

// Draws one face of a door leaf; true when something was drawn. A face without a texture
// (open, or an index past the loaded textures) draws nothing.
bool DrawLeafFace(const Cube& leaf, int slot, const FixedVector& c0, const FixedVector& c1,
                  const FixedVector& c2, const FixedVector& c3) {
    const Bitmap* bitmap = TextureAt(leaf.texture[slot]);
    if (!bitmap || !FaceVisible(leaf, slot)) {
        return false;
    }
    const QuadRecord quad{{c0, c1, c2, c3}, bitmap, 0, 0, 0, ObjectBrightness};
    return (DrawTexturedQuad(&quad) & DrawnStatus) != 0;
}

}  // namespace

int DoorObject::Draw() {
    const Cube& l = *leaf;
    int drawn = 0;
    if (DrawLeafFace(l, CeilingSlot, l.Top(0), l.Top(1), l.Top(2), l.Top(3))) {
        drawn |= 0x10;
    }
    if (DrawLeafFace(l, FloorSlot, l.Bottom(0), l.Bottom(1), l.Bottom(2), l.Bottom(3))) {
        drawn |= 0x20;
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (DrawLeafFace(l, k, l.Top(k), l.Top(k + 1), l.Bottom(k + 1), l.Bottom(k))) {
            drawn |= 1 << k;
        }
    }
    return drawn;
}

int DecoObject::Draw() {
    if (animation.state == AnimationHidden) {
        return 0;
    }
    const FixedVector& c0 = corners[0];
    const Fixed16 facing = WrapAdd(WrapAdd(FixedMul(WrapSub(PlayerY, c0.y), normal.y),
                                           FixedMul(WrapSub(PlayerX, c0.x), normal.x)),
                                   FixedMul(WrapSub(PlayerZ, c0.z), normal.z));
    const Bitmap* bitmap = animation.CurrentBitmap();
    if (facing < 0 || !bitmap) {
        return 0;
    }
    const QuadRecord quad{{corners[0], corners[1], corners[2], corners[3]},
                          bitmap,
                          0,
                          0,
                          static_cast<uint8_t>(animation.flags),
                          ObjectBrightness};
    DrawTexturedQuad(&quad);
    return 1;
}

int Sprite2DObject::Draw() {
    const Bitmap* bitmap = animation.CurrentBitmap();
    if (animation.state == AnimationHidden || !bitmap) {
        return 0;
    }
    const SpriteRecord sprite{
        x, y, z, static_cast<uint8_t>(width),          static_cast<uint8_t>(height), 0,
        0, 0, 0, static_cast<uint8_t>(animation.flags)};
    return DrawSprite(&sprite, bitmap, NoLightOwner) & DrawnStatus;
}
