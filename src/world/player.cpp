#include "world/player.h"

Fixed16 PlayerX = 350 * FixedOne;
Fixed16 PlayerY = 36 * FixedOne;
Fixed16 PlayerZ = 120 * FixedOne;
Angle16 PlayerHeading = 0;
Fixed16 EyeHeight = 0;
int HorizonOffset = 0;
Cube* CurrentCube = nullptr;
int Falling = 0;
int FallStep = 0;
