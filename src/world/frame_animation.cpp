// The frames of the animated decorations and sprites.
#include "world/frame_animation.h"

#include "world/texture_table.h"

void FrameAnimation::Update(int op) {
    switch (op) {
        case 1: state = AnimationPlaying; [[fallthrough]];
        case 0:
            // An object without frames has nothing to advance.
            if (state == AnimationPlaying && count > 0) {
                current = static_cast<int16_t>((current + 1) % count);
            }
            break;
        case 2: state = AnimationPaused; break;
        case 3: state = AnimationHidden; break;
        default: break;
    }
}

void FrameAnimation::Swap(const AnimationSet& set) {
    count = static_cast<int16_t>(set.frames);
    for (int i = 0; i < set.frames; ++i) {
        textures[i] = static_cast<int16_t>(set.first + i);
    }
    delay = SwapDelay;
    current = 0;
}

Bitmap* FrameAnimation::CurrentBitmap() const {
    if (current < 0 || current >= count) {
        return nullptr;
    }
    return TextureAt(textures[current]);
}
