#pragma once
// The sliding doors: map objects whose leaf is a cube of its own that moves with the door.
#include "base/fixed.h"
#include "world/map_object.h"

class Cube;

// A sliding door: its leaf is a Cube of its own that moves with the door.
class DoorObject : public MapObject {
public:
    ~DoorObject() override;
    void Update(int op) override;
    // Draws the leaf's faces that face the eye; bit k for side k, 0x10 the ceiling, 0x20 the
    // floor, for each face that drew something.
    int Draw() override;
    void Collide(FixedVector* step) override;

    // Script command: 1 open, 2 close (each moving fraction of the extent), 0 continue, 3 stop.
    void Command(int command, float fraction);
    // Scene animation: as Command, but the whole distance (world units) in one step.
    void MoveBy(int command, float distance);
    // Moves the leaf one step along the current direction.
    void Step();

    Cube* leaf = nullptr;
    int state = 0;      // the direction an open moves
    int direction = 0;  // the current travel's direction
    int kind = 0;
    Fixed16 extent = 0;  // full travel length
    Fixed16 travelled = 0;
    Fixed16 target = 0;
    Fixed16 step = 0;              // travel per frame
    float fx = 0, fy = 0, fz = 0;  // sideways direction (fy not used)

private:
    void StartTravel(int command);
};
