#include "world/camera_height.h"

#include "base/graphics_objects.h"
#include "platform/rm_frame.h"

#include "base/wrap.h"
#include "world/cube.h"
#include "world/player.h"

int CameraMoverActive = 0;

void ResetCameraHeight() { CameraMoverActive = 0; }

void UpdateCameraHeight(Cube* cube) {
    if (!cube || CameraMoverActive) {
        return;
    }
    const Fixed16 floor =
        cube->floorSloped ? cube->FloorHeight(PlayerX, PlayerZ) : cube->Bottom(0).y;
    const Fixed16 target = WrapAdd(floor, EyeHeight);
    if (!Falling && int64_t{target} + FallThreshold < PlayerY) {
        Falling = 1;
    }
    if (Falling) {
        PlayerY = WrapSub(PlayerY,
                          static_cast<Fixed16>(static_cast<uint32_t>(FallStep) * FallAcceleration));
        ++FallStep;
        if (target >= PlayerY) {
            PlayerY = target;
            Falling = 0;
            FallStep = 0;
        }
    } else {
        PlayerY = target;
    }
    if (CameraFrame) {
        CameraFrame->SetPosition(SceneFrame, FixedToFloat(PlayerX), FixedToFloat(PlayerY),
                                 FixedToFloat(PlayerZ));
    }
}
