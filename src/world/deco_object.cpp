// The flat animated decorations: drawn as textured quads facing the eye, their frames swapped by
// the script.
#include "world/deco_object.h"

#include "base/wrap.h"
#include "render/lighting.h"
#include "render/quad.h"
#include "world/player.h"

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

void DecoObject::SwapDeco(int set) {
    if (set == 0 || set == 1) {
        animation.Swap(DecoSwapSets[set]);
    }
}
