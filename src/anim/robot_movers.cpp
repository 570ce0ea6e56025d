#include "anim/robot_movers.h"

#include "anim/anim_objects.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "planner/robot_scene.h"
#include "platform/rm_frame.h"

namespace {

class MoverScene : public RobotScene {
public:
    bool PartTranslation(int row, int partOffset, float out[3]) override {
        if (!MotionRowUsable(row)) return false;
        platform::RmFrame* frame =
            PartFrame(MotionLink[MotionTable[row].firstLink].part + partOffset);
        platform::RmMatrix4 m;
        if (!frame || platform::Failed(frame->GetTransform(m))) return false;
        for (int c = 0; c < 3; ++c) out[c] = m.m[3][c];
        return true;
    }

    int StartTurnMove(int actor, const float from[3], const float to[3], float speed,
                      float startHeading, float endHeading, int turnFrames, int notify) override {
        const int channel =
            StartLineTurnMove(actor, from, to, speed, startHeading, endHeading, turnFrames, notify);
        if (channel < 0) return -1;
        AddAnimObject(channel, MoverChannel[channel].frameCount, AnimTurnMove, 0);
        return MoverChannel[channel].frameCount;
    }

    // The robot's own animation object plays its character's motion again where it stands: the
    // row its own mover channel moves (a character's channel is its entry), so that a stopped
    // robot never plays the other robot's motion.
    void StopMove(int robot) override {
        if (robot < 0 || robot >= AnimObjCount || robot > 1) return;
        AnimObject& entry = AnimObj[robot];
        entry.type = AnimCharacterMotion;
        entry.row = static_cast<int16_t>(MoverChannelRow(robot));
        entry.arg = -1;
    }
};

}  // namespace

RobotScene* MoverRobotScene() {
    static MoverScene scene;
    return &scene;
}
