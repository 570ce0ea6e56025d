// Drawing the map objects: decos as textured quads, sprites as billboards (a door draws its
// own leaf).
#include "base/wrap.h"
#include "render/lighting.h"
#include "render/quad.h"
#include "render/sprite.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/texture_table.h"

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
