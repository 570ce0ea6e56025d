#include "world/reset.h"

#include "world/camera_position.h"
#include "world/cube.h"

void ResetWorld() {
    FreeLevel();
    CameraSavedFlag = 0;
}
