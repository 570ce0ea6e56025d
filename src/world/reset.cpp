#include "world/reset.h"

#include "world/camera_position.h"
#include "world/cube.h"
#include "world/free_level.h"

void ResetWorld() {
    FreeLevel();
    CameraSavedFlag = 0;
}
