// The robots' characters in the scene animation: their frames through the motion table and the
// parts, their legs through the turning mover and a turning-move animation object.
#include "anim/anim_objects.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "planner/limits.h"
#include "planner/robot_scene.h"
#include "platform/rm_frame.h"

namespace {

class AnimRobotScene final : public RobotScene {
public:
    bool PartTranslation(int row, int partOffset, float out[3]) override {
        if (!MotionRowUsable(row)) return false;
        const int link = MotionTable[row].firstLink;
        if (!MotionLinkUsable(link)) return false;
        const int part = MotionLink[link].part + partOffset;
        platform::RmFrame* frame = part >= 0 ? PartFrame(part) : nullptr;
        if (!frame) return false;  // released by the level reset, or never made
        platform::RmMatrix4 m;
        frame->GetTransform(m);
        out[0] = m.m[3][0];
        out[1] = m.m[3][1];
        out[2] = m.m[3][2];
        return true;
    }

    int StartTurnMove(int actor, const float from[3], const float to[3], float speed,
                      float startHeading, float endHeading, int turnFrames, int notify) override {
        const int channel =
            StartLineTurnMove(actor, from, to, speed, startHeading, endHeading, turnFrames, notify);
        if (channel < 0) return -1;
        const int frames = MoverChannel[channel].frameCount;
        AddAnimObject(channel, frames, AnimTurnMove, 0);
        return frames;
    }

    // The robot's own animation entry plays its mover channel's motion row again, unmoved.
    void StopMove(int robot) override {
        if (robot >= AnimObjCount) return;
        AnimObject& entry = AnimObj[robot];
        entry.type = AnimCharacterMotion;
        entry.row = MoverChannel[planner_limits::ROBOT_STOP_CHANNELS[robot]].row;
        entry.arg = -1;
    }
};

}  // namespace

RobotScene* GameRobotScene() {
    static AnimRobotScene scene;
    return &scene;
}
