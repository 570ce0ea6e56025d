#pragma once
// 3D characters: map objects drawn by the scene graph, kept in the cube that holds them as they
// move.
#include "world/map_object.h"

namespace platform {
class RmFrame;
}

class Char3DObject : public MapObject {
public:
    // Places the character at (x, y, z) relative to the reference frame and moves it into the
    // list of the cube that now holds it; outside every floored cube it stays in its old cube.
    void SetPosition(platform::RmFrame* reference, Fixed16 x, Fixed16 y, Fixed16 z);

    platform::RmFrame* frame = nullptr;
};

// A character listed in a cube file: listed in that cube and placed at (x, y, z).
void PlaceLevelCharacter(Cube& cube, Fixed16 x, Fixed16 y, Fixed16 z);
