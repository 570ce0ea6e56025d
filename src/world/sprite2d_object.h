#pragma once
// The billboard sprites.
#include <cstdint>

#include "base/fixed.h"
#include "world/frame_animation.h"
#include "world/map_object.h"

// A billboard sprite with an animated texture, anchored at its bottom centre.
class Sprite2DObject : public MapObject {
public:
    void Update(int op) override { animation.Update(op); }
    // The renderer's drawn bit (0x20) when something was drawn.
    int Draw() override;
    void SwapTexture(int set);

    Fixed16 x = 0, y = 0, z = 0;
    int16_t width = 0, height = 0;  // world units
    FrameAnimation animation;
};
