#pragma once
// The frames and state shared by the animated decorations and sprites.
#include <cstdint>

#include "world/limits.h"

struct Bitmap;

struct FrameAnimation {
    int16_t flags = 0;
    int16_t delay = 0;  // stored, not read by the animation
    int16_t count = 0;
    int16_t textures[MaxObjectFrames] = {};
    int16_t current = 0;
    int state = 0;  // 0 playing, 1 paused, 2 hidden

    void Update(int op);
    // Takes a fixed set of absolute texture indices and starts it from its first frame.
    void Swap(const AnimationSet& set);
    // The texture of the current frame; null when there is none to draw.
    Bitmap* CurrentBitmap() const;
};

// Animation states.
constexpr int AnimationPlaying = 0;
constexpr int AnimationPaused = 1;
constexpr int AnimationHidden = 2;
