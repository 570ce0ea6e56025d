// Hot spots: marked points of the room with a radius, each shown by a cone-shaped marker. The
// script places them, sends characters, robots and the camera to them and asks what arrived; the
// camera standing inside one raises the "HotSpot" event each round; type-4 hot spots are also
// platforms that lift the characters the turning mover carries.
#pragma once
#include <cstdint>

#include "anim/limits.h"

namespace platform {
class RmFrame;
class RmMesh;
}  // namespace platform

struct HotSpotEntry {
    platform::RmFrame* frame;  // the marker's frame under the world frame; the table holds it
    platform::RmMesh* marker;  // the cone on that frame; the table holds it too
    float position[3];         // world units
    float radius;
    float platformHeight;  // added to the floor inside a platform
    int16_t type;          // CameraHotSpot, PlatformHotSpot; other types are only targets
    int16_t object;        // what arrived: a motion row, CameraArrival or NoArrival
};

extern HotSpotEntry HotSpots[MaxHotSpots];
extern int HotSpotCount;

// The script's LHS with its n numbers: type, radius, x, y, z, (unused), platform height, and
// up to three more that are not used; `numbers` holds at least MaxHotSpotNumbers values. The new
// hot spot's index, or -1 when the table is full or n is not 1 to 10.
int AddHotSpot(const float* numbers, int n);

// Sends a character (motion row `row`; modes 1 walk, 2 jump with `speed` as the launch angle in
// degrees, 3 robot `robot` through the planner) or the camera (modes 4 walk, 5 jump) to hot spot
// `hotSpot`. The hot spot (the planner's result for mode 3), or -1 when nothing moves.
int MoveToHotSpot(int mode, int row, int hotSpot, float speed, int robot);

// Mode 1: `out` := what arrived at hot spot n; mode 2: the "HotSpot" event for every camera hot
// spot the camera stands inside, `out` := the last of them; mode 3: nothing. `out` is -1 first.
// 1, or 0 for another mode or a hot spot that does not exist.
int CheckHotSpots(int n, int mode, int* out);

// Counts the table back to n hot spots; the markers of those counted out leave the scene. 1.
int SetHotSpotCount(int n);
