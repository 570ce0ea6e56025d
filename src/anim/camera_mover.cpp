#include "anim/camera_mover.h"

int CameraMoverActive = 0;
