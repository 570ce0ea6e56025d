#include "anim/path_motion.h"

#include <algorithm>

#include "anim/anim_objects.h"
#include "anim/key_frames.h"
#include "anim/messages.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "base/fixed.h"
#include "base/graphics_objects.h"
#include "platform/message_box.h"
#include "platform/rm_frame.h"
#include "script/events.h"
#include "world/char3d_object.h"

namespace {

bool Loaded(int path) { return path >= 0 && path < PathCount && path < MaxPaths; }

// One key block of a path: its count, its times after the count and type, then its values.
struct PathKeys {
    int offset;
    int count;
    int valueSize;  // bytes of one key's values

    int Time(int i) const { return KeyInt16(offset + 4 + 2 * i); }
    float Value(int i, int c) const {
        return KeyFloat(offset + 4 + 2 * count + valueSize * i + 4 * c);
    }

    // The keys around `frame`: a == b for an exact key, or the first or last key outside the
    // keys' range; else the pair and how far the frame lies between them. False without keys.
    bool Around(int frame, int& a, int& b, float& t) const {
        if (count <= 0) return false;
        t = 0.0f;
        for (int j = 0; j < count; ++j) {
            if (Time(j) == frame) {
                a = b = j;
                return true;
            }
            if (j + 1 < count && Time(j) < frame && frame < Time(j + 1)) {
                a = j;
                b = j + 1;
                t = static_cast<float>(frame - Time(j)) / static_cast<float>(Time(j + 1) - Time(j));
                return true;
            }
        }
        a = b = frame < Time(0) ? 0 : count - 1;
        return true;
    }
};

// The entry whose follow-up state a pass's end triggers: the one in hand, else the row's own.
int EntryInHand(int row) {
    if (CurrentAnimObj >= 0 && CurrentAnimObj < AnimObjCount) return CurrentAnimObj;
    return MotionTable[row].animObj;
}

}  // namespace

int AddPathMotion(int path, int row) {
    if (!Loaded(path) || !MotionRowUsable(row)) return 0;
    PathRecord& p = Path[path];
    if (p.motionCount >= MaxPathMotions) {
        platform::MessageBox(MsgExceedPathMotions, AnimCaptionError);
        return 0;
    }
    const int k = p.motionCount++;
    p.currentMotion = static_cast<int16_t>(k);
    platform::RmVector at;
    platform::RmFrame* top = PartFrame(MotionLink[MotionTable[row].firstLink].part);
    if (p.baseSet == 0.0f && top && !platform::Failed(top->GetPosition(SceneFrame, &at))) {
        p.base[0] = at.x / WorldScale;
        p.base[1] = at.y / WorldScale;
        p.base[2] = at.z / WorldScale;
        p.baseSet = 1.0f;
    }
    p.motions[k] = static_cast<int16_t>(row);
    return 1;
}

int DelPathMotion(int row, int path) {
    if (!Loaded(path)) return 0;
    PathRecord& p = Path[path];
    int16_t* end = p.motions + p.motionCount;
    int16_t* place = std::find(p.motions, end, row);
    if (place == end) return 0;
    std::copy(place + 1, end, place);
    --p.motionCount;
    // The motion that plays stays inside the list.
    const int last = std::max(p.motionCount - 1, 0);
    p.currentMotion = static_cast<int16_t>(std::clamp<int>(p.currentMotion, 0, last));
    return 1;
}

int InterpolatePathKeys(int path, int frame, float rotation[4], float position[3]) {
    if (!Loaded(path)) return 0;
    const PathRecord& p = Path[path];
    const PathKeys rotations{p.keyOffset, p.rotCount, 16};
    const int positionOffset =
        p.rotCount > 0 ? p.keyOffset + PathKeyBlockSize(p.rotCount, PathRotationKeys) : p.keyOffset;
    const PathKeys positions{positionOffset, p.posCount, 12};
    int a = 0, b = 0;
    float t = 0.0f;
    if (rotations.Around(frame, a, b, t)) {
        float qa[4], qb[4];
        for (int c = 0; c < 4; ++c) {
            qa[c] = rotations.Value(a, c);
            qb[c] = rotations.Value(b, c);
        }
        if (a == b)
            std::copy(qa, qa + 4, rotation);
        else
            QuaternionSlerp(qa, qb, t, rotation);
    }
    if (positions.Around(frame, a, b, t)) {
        for (int c = 0; c < 3; ++c) {
            const float from = positions.Value(a, c);
            position[c] = a == b ? from : from + (positions.Value(b, c) - from) * t;
        }
    }
    return 1;
}

int StepPathMotion(int path) {
    if (!Loaded(path)) return 0;
    PathRecord& p = Path[path];
    if (p.motionCount <= 0 || p.frameCount <= 0) return 0;
    const int row = p.motions[std::clamp<int>(p.currentMotion, 0, p.motionCount - 1)];
    if (!MotionRowUsable(row)) return 0;
    PlayMotionFrame(row);
    float rotation[4] = {1.0f, 0.0f, 0.0f, 0.0f}, position[3] = {0.0f, 0.0f, 0.0f};
    InterpolatePathKeys(path, p.frame, rotation, position);
    if (p.rotCount > 0) SetPartRotation(MotionLink[MotionTable[row].firstLink].part, rotation);
    const int own = MotionTable[row].animObj;
    if (own >= 0 && own < AnimObjCount && AnimObj[own].character) {
        SetObjectPosition(AnimObj[own].character, position[0] + p.base[0], position[1] + p.base[1],
                          position[2] + p.base[2]);
    }
    if (p.frame + 1 > p.frameCount) {
        const int entry = EntryInHand(row);
        const int followUp = entry >= 0 && entry < AnimObjCount ? AnimObj[entry].followUp : 0;
        p.frame = 0;
        TriggerState(entry, row, followUp);
    } else {
        ++p.frame;
    }
    return 1;
}

int StepCameraPath(int path) {
    if (!Loaded(path)) return 0;
    PathRecord& p = Path[path];
    if (p.frameCount <= 0) return 0;
    float rotation[4] = {1.0f, 0.0f, 0.0f, 0.0f}, position[3] = {0.0f, 0.0f, 0.0f};
    InterpolatePathKeys(path, p.frame, rotation, position);
    if (CameraFrame) {
        platform::RmMatrix4 m;
        CameraFrame->GetTransform(m);
        for (int c = 0; c < 3; ++c) m.m[3][c] = position[c];
        CameraFrame->AddTransform(platform::D3DRMCOMBINE_REPLACE, m);
    }
    if (p.frame + 1 > p.frameCount) {
        if (CurrentAnimObj >= 0 && CurrentAnimObj < AnimObjCount)
            AnimObj[CurrentAnimObj].type = AnimFree;
        p.frame = 0;
    } else {
        ++p.frame;
    }
    return 1;
}
