#include "world/camera_position.h"

#include <cstdint>

#include "base/fixed.h"
#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "platform/rm_frame.h"
#include "world/cube.h"
#include "world/messages.h"
#include "world/player.h"

int CameraSavedFlag = 0;
SavedCamera SavedCameraPosition{};

void GetCameraPosition(float* x, float* y, float* z, float* heading, float* horizon) {
    *x = static_cast<float>(PlayerX / 65536.0 / WorldScale);
    *y = static_cast<float>(PlayerY / 65536.0 / WorldScale);
    *z = static_cast<float>(PlayerZ / 65536.0 / WorldScale);
    *heading = static_cast<float>(static_cast<uint16_t>(PlayerHeading) / 65536.0 * 360.0);
    *horizon = static_cast<float>(HorizonOffset);
}

void SetCameraPosition(float x, float y, float z, float headingDegrees, int horizon) {
    if (headingDegrees >= 0.0f && headingDegrees <= 360.0f) {
        PlayerHeading = static_cast<Angle16>(
            static_cast<uint32_t>(DoubleToInt32(headingDegrees * 65536.0 / 360.0)));
        if (CameraFrame) {
            FixedVectorF d = HeadingDirection(PlayerHeading);
            CameraFrame->SetOrientation(SceneFrame, d.x, 0.0f, d.z, 0.0f, 1.0f, 0.0f);
        }
    }
    PlayerX = DoubleToInt32(static_cast<float>(WorldScale * x) * 65536.0);
    PlayerY = DoubleToInt32(static_cast<float>(WorldScale * y) * 65536.0);
    PlayerZ = DoubleToInt32(static_cast<float>(WorldScale * z) * 65536.0);
    HorizonOffset = horizon;
    CurrentCube = FindCubeAt(PlayerX, PlayerZ);
    if (!CurrentCube) {
        ReportError("%s", CameraOutsideMapText);
        QuitAppAfterFault();
    }
    if (CameraFrame) {
        CameraFrame->SetPosition(SceneFrame, static_cast<float>(PlayerX / 65536.0),
                                 static_cast<float>(PlayerY / 65536.0),
                                 static_cast<float>(PlayerZ / 65536.0));
    }
}

void SetCamera(int mode, float x, float y, float z, float heading, float horizon) {
    if (mode == 2) {
        if (CameraSavedFlag == 0) {
            SavedCamera& c = SavedCameraPosition;
            GetCameraPosition(&c.x, &c.y, &c.z, &c.heading, &c.horizon);
            CameraSavedFlag = 1;
        }
        SetCameraPosition(x, y, z, heading, DoubleToInt32(horizon));
    } else if (mode == 1) {
        if (CameraSavedFlag == 0) return;
        const SavedCamera& c = SavedCameraPosition;
        SetCameraPosition(c.x, c.y, c.z, c.heading, DoubleToInt32(c.horizon));
        CameraSavedFlag = 0;
    }
}
