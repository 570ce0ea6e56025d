#pragma once
// The flat animated decorations.
#include "base/fixed.h"
#include "world/frame_animation.h"
#include "world/map_object.h"

// A flat one-sided panel with an animated texture.
class DecoObject : public MapObject {
public:
    void Update(int op) override { animation.Update(op); }
    // 1 when the panel faces the eye and was handed to the renderer.
    int Draw() override;
    void SwapDeco(int set);

    FixedVector corners[4]{};
    FixedVector normal{};
    FrameAnimation animation;
};
