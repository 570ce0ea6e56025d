#include "bindings/camera_commands.h"

#include <cmath>
#include <cstdint>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "base/fixed.h"
#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "platform/rm_frame.h"
#include "platform/rm_math.h"
#include "script/limits.h"
#include "script/messages.h"
#include "world/cube.h"
#include "world/player.h"

void SetCameraPath(int mode, int index, float a, int b) {
    switch (mode) {
        case 1: {
            int frames = PathFrameCount(index);
            if (frames >= 0) AddAnimObject(index, frames, 7, 1);
            break;
        }
        case 2: MoveToHotSpot(3, -1, index, a, b); break;
        case 3: MoveToHotSpot(4, -1, index, a, b); break;
        default: break;
    }
}

namespace {

// The scene position of the top part of a motion row's character; false when it has none.
bool RowPosition(int row, platform::RmVector* out) {
    if (!MotionRowUsable(row)) return false;
    platform::RmFrame* frame = PartFrame(MotionLink[MotionTable[row].firstLink].part);
    return frame && !platform::Failed(frame->GetPosition(SceneFrame, out));
}

}  // namespace

int TurnToObj(int kind, int entry, int targetKind, int target) {
    if (kind != AnimCharacterMotion || entry < 0 || entry >= AnimObjCount) return 0;
    const AnimObject& object = AnimObj[entry];
    int row = object.row;
    if (row < 0) {
        if (object.type != AnimStraightMove) return 0;
        row = MoverChannelRow(object.arg);
    }
    platform::RmVector own, other;
    if (!RowPosition(row, &own)) return 0;
    switch (targetKind) {
        case TurnToCharacter:
            if (!RowPosition(target, &other)) return 0;
            break;
        case TurnToCamera:
            if (!CameraFrame || platform::Failed(CameraFrame->GetPosition(SceneFrame, &other)))
                return 0;
            break;
        case TurnToHotSpot:
            if (target < 0 || target >= HotSpotCount) return 0;
            other = {HotSpots[target].position[0] * WorldScale,
                     HotSpots[target].position[1] * WorldScale,
                     HotSpots[target].position[2] * WorldScale};
            break;
        default: return 0;
    }
    platform::RmVector d;
    platform::RmVectorSubtract(&d, &own, &other);
    platform::RmVectorNormalize(&d);
    SetMotionYaw(row, std::atan2(-d.x, d.z));
    return 1;
}
