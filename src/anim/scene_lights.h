// The lights of the 3D scene: each hangs on a frame of its own under the scene frame. The shell
// makes the two default lights at start-up; the script turns a light's frame and ramps its
// colour over a number of frames. They light the 3D characters only, not the cube world.
#pragma once
#include <cstdint>

#include "anim/limits.h"

namespace platform {
class RmFrame;
class RmLight;
}  // namespace platform

struct SceneLightRecord {
    platform::RmFrame* frame;  // the light's own frame under the scene frame
    platform::RmLight* light;
    float position[3];  // as given at creation
    float direction[3];
    float colour[3];      // red, green, blue, 0.0 to 1.0
    float colourStep[3];  // per-frame change during a ramp
    int16_t type;         // DirectionalLightType or AmbientLightType
    int16_t animObj;      // the animation object of the running ramp
};

extern SceneLightRecord SceneLight[MaxSceneLights];
extern int SceneLightCount;

// A light of the given type on a new frame at `position`; a directional light faces
// `direction` with `position` as its up vector. The index, or -1 (reported); a light that fails
// after it was counted keeps its place. The lights of a scene that is gone are let go when the
// first light of a new scene is made.
int CreateLight(int type, const float position[3], const float direction[3], const float colour[3]);

// Turns the light's frame to face `direction` with `up` as its up vector; 1. A light that was
// never made is ignored.
int MoveLight(int light, const float* up, const float* direction);

// Ramps the light's colour to `target` (red, green, blue) over `frames` frames; 0 frames sets it
// at once. 1, or 0 when the light was never made or no animation object could be had.
int AnimLight(int light, int frames, const float* target);

// One frame of the light's ramp, for its animation object in hand: the colour moves one step,
// and the object is freed after its last frame.
void StepLightAnim(int light);
