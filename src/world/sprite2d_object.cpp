// The billboard sprites: drawn by the renderer's sprite drawer, their frames swapped by the
// script.
#include "world/sprite2d_object.h"

#include "render/lighting.h"
#include "render/sprite.h"

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

void Sprite2DObject::SwapTexture(int set) {
    if (set == 0 || set == 1) {
        animation.Swap(SpriteSwapSets[set]);
    }
}
