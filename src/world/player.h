#pragma once
// The player, who is also the camera.
#include "base/fixed.h"

class Cube;

extern Fixed16 PlayerX;  // world x of the eye
extern Fixed16 PlayerY;  // world y of the eye: floor height plus EyeHeight, or the falling height
extern Fixed16 PlayerZ;  // world z of the eye
extern Angle16 PlayerHeading;  // the view direction is (sin, 0, cos) of it
extern Fixed16 EyeHeight;      // eye above the floor; the level file sets it
extern int HorizonOffset;  // vertical shift of the projection centre in screen lines (0 = centred)
extern Cube* CurrentCube;  // the cube holding the player; null while no level is loaded
extern int Falling;        // set while the player falls
extern int FallStep;       // frames fallen so far
