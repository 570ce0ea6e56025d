// The world frame, the camera placed at the player, and the two default lights.
#include "shell/camera_lights.h"
#include "anim/scene_lights.h"
#include "base/fixed.h"
#include "shell/direct_x.h"
#include "shell/limits.h"
#include "world/player.h"

using platform::Failed;

void SetupCameraAndLights() {
    if (Failed(RMObject->CreateFrame(SceneFrame, &WorldFrame))) return;
    if (Failed(WorldFrame->SetPosition(SceneFrame, 0.0f, 0.0f, 0.0f))) return;

    CameraFrame->SetPosition(SceneFrame, PlayerX / 65536.0f, PlayerY / 65536.0f,
                             PlayerZ / 65536.0f);
    const int entry = PlayerHeading >> 6;
    const float sine = SineTable[entry] / SineScale;
    const float cosine = SineTable[entry + 256] / SineScale;
    CameraFrame->SetOrientation(SceneFrame, sine, 0.0f, cosine, 0.0f, 1.0f, 0.0f);

    const float ambientPosition[3] = {2.0f, 2.0f, 5.0f};
    const float ambientDirection[3] = {1.0f, 0.0f, 1.0f};
    const float ambientColour[3] = {0.6f, 0.6f, 0.6f};
    CreateLight(2, ambientPosition, ambientDirection, ambientColour);
    const float directionalPosition[3] = {0.0f, 0.0f, 0.0f};
    const float directionalDirection[3] = {0.0f, 20.0f, 0.0f};
    const float directionalColour[3] = {0.9f, 0.9f, 0.9f};
    CreateLight(1, directionalPosition, directionalDirection, directionalColour);
}
