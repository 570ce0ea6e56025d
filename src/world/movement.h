#pragma once
// The player's movement: turning, stepping through the cubes with wall sliding and door
// collision, and the cursor at the screen edges moving the player each frame.
#include "base/fixed.h"

class Cube;

// Movement codes: 1 and 2 turn left and right (heading - and + 1024), the others step; the
// diagonal steps go an eighth of a turn aside, 7 and 8 being the cursor's forms of 3 and 4.
constexpr int MoveNone = 0;
constexpr int MoveTurnLeft = 1;
constexpr int MoveTurnRight = 2;
constexpr int MoveForwardLeft = 3;
constexpr int MoveForwardRight = 4;
constexpr int MoveForward = 5;
constexpr int MoveBack = 6;
constexpr int MoveForwardLeftEdge = 7;
constexpr int MoveForwardRightEdge = 8;
constexpr int MoveBackLeft = 9;    // back along heading + 8192
constexpr int MoveBackRight = 10;  // back along heading - 8192

// Turns or steps the player by a movement code. While the player falls every code only lets
// the fall go on (result 1). 0 for code 0, for unknown codes and while the player is in no cube.
int MovePlayer(int code);

// The movement code of a cursor position in the 640 x 480 edge zones (0 in the middle).
int MouseZoneCode(int x, int y);

// Moves the player by the zone the cursor is in, while the pointer is over the window and the
// window has the input focus; a fall goes on by a frame whatever the pointer. Called first in
// every world update. Always 0.
int MovePlayerByMouse();

// Cuts the step against the walls and doors of the cube and of the neighbour it leads into,
// then moves the player to the step's end and lets the eye follow the floor.
void MovePlayerStep(Cube* cube, FixedVector* step);

// Whether the step brings the player within the wall distance of side k, inside the side's
// extent (a side of zero length is never near).
bool SideNear(const Cube& cube, int k, const FixedVector& step);

// Keeps the step's part along side k and puts its end exactly the wall distance from it.
void SlideAlongWall(const Cube& cube, int k, FixedVector* step);
