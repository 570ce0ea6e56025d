#pragma once
// 3D characters: map objects drawn by the scene graph, kept in the cube that holds them as they
// move.
#include "world/map_object.h"

namespace platform {
class RmFrame;
}

class Char3DObject : public MapObject {
public:
    // Lets the scene viewport render the frame into the back buffer, which is unlocked meanwhile;
    // 1 when the buffer could be locked again.
    int Draw() override;

    // Places the character at (x, y, z) relative to the reference frame and moves it into the
    // list of the cube that now holds it; outside every floored cube it stays in its old cube.
    void SetPosition(platform::RmFrame* reference, Fixed16 x, Fixed16 y, Fixed16 z);

    platform::RmFrame* frame = nullptr;
};

// Wraps a frame placed in the scene in a new character with the next run-time id and lists it
// in the cube under it. 1 with the character in `out`; 0 when the table is full or the frame
// stands outside every floored cube (reported; the game ends; the id is used up, but no
// character is made and the table is left as it was).
int CreateChar3DObject(platform::RmFrame* frame, Char3DObject** out);

// Places a character at a position in world units; 1.
int SetObjectPosition(Char3DObject* character, float x, float y, float z);

// A character listed in a cube file: a new frame under the scene (the new WorldFrame), listed in
// that cube and placed at (x, y, z).
void PlaceLevelCharacter(Cube& cube, Fixed16 x, Fixed16 y, Fixed16 z);
