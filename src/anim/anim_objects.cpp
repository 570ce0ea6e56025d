#include "anim/anim_objects.h"

#include <algorithm>

#include "anim/key_frames.h"
#include "anim/messages.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "anim/path_motion.h"
#include "anim/paths.h"
#include "anim/scene_lights.h"
#include "anim/special_anims.h"
#include "base/graphics_objects.h"
#include "platform/message_box.h"
#include "platform/rm_frame.h"
#include "script/states.h"
#include "world/camera_height.h"
#include "world/char3d_object.h"

AnimObject AnimObj[MaxAnimObjects];
int AnimObjCount = 0;
int CurrentAnimObj = 0;

namespace {

int16_t ToInt16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

bool EntryInUse(int e) { return e >= 0 && e < AnimObjCount && e < MaxAnimObjects; }

// The entry of the character that motion row `row` moves, or -1.
int CharacterEntryOfRow(int row) {
    if (!MotionRowUsable(row)) return -1;
    const int e = MotionTable[row].animObj;
    return EntryInUse(e) ? e : -1;
}

}  // namespace

int NewAnimEntry() {
    if (AnimObjCount >= MaxAnimObjects) {
        platform::MessageBox(MsgExceedAnimObject, AnimCaptionError);
        return -1;
    }
    const int e = AnimObjCount++;
    AnimObj[e] = AnimObject{0.0f, AnimFree, -1, 0, 0, -1, 0, nullptr};
    return e;
}

int AddAnimObject(int index, int frames, int type, int value) {
    int e = -1;
    switch (type) {
        case AnimCharacterMotion: {
            if (!MotionRowUsable(index) || (e = NewAnimEntry()) < 0) return 0;
            AnimObject& entry = AnimObj[e];
            entry.row = ToInt16(index);
            entry.arg = -1;
            MotionTable[index].animObj = ToInt16(e);
            if (platform::RmFrame* frame =
                    PartFrame(MotionLink[MotionTable[index].firstLink].part)) {
                Char3DObject* character = nullptr;
                if (CreateChar3DObject(frame, &character)) entry.character = character;
            }
            break;
        }
        case AnimPathMotion: {
            if (index < 0 || index >= PathCount || Path[index].motionCount <= 0) return 0;
            const int row = Path[index].motions[0];
            if ((e = CharacterEntryOfRow(row)) < 0) return 0;
            AnimObj[e].row = -1;
            AnimObj[e].arg = ToInt16(index);
            if (platform::RmFrame* frame = PartFrame(MotionLink[MotionTable[row].firstLink].part)) {
                platform::RmVector position;
                frame->GetPosition(SceneFrame, &position);
                Path[index].base[0] = position.x;
                Path[index].base[1] = position.y;
                Path[index].base[2] = position.z;
                Path[index].baseSet = 1.0f;
            }
            break;
        }
        case AnimCameraPath:
            if (index < 0 || index >= PathCount || (e = NewAnimEntry()) < 0) return 0;
            AnimObj[e].row = -1;
            AnimObj[e].arg = ToInt16(index);
            break;
        case AnimLightRamp:
            if (EntryInUse(CurrentAnimObj) && AnimObj[CurrentAnimObj].type == AnimFree)
                e = CurrentAnimObj;
            else if ((e = NewAnimEntry()) < 0)
                return 0;
            AnimObj[e].row = ToInt16(index);
            AnimObj[e].arg = -1;
            break;
        case AnimStraightMove:
        case AnimJump:
        case AnimTurnMove:
            if ((e = CharacterEntryOfRow(MoverChannelRow(index))) < 0) return 0;
            AnimObj[e].row = -1;
            AnimObj[e].arg = ToInt16(index);
            break;
        case AnimSpecial: {
            if (!EntryInUse(index)) return 0;
            e = index;
            AnimObject& entry = AnimObj[e];
            if (entry.type == AnimPathMotion && entry.arg >= 0 && entry.arg < PathCount) {
                const PathRecord& path = Path[entry.arg];
                if (path.currentMotion >= 0 && path.currentMotion < path.motionCount)
                    entry.row = path.motions[path.currentMotion];
            } else if (entry.type == AnimStraightMove) {
                StopMoverChannel(entry.arg);
                entry.row = -1;
            }
            entry.arg = ToInt16(value);
            frames = std::min(frames, SpecialDoorFrames);
            break;
        }
        default: return 0;
    }
    AnimObject& entry = AnimObj[e];
    entry.type = static_cast<int16_t>(type);
    entry.frameCount = ToInt16(frames);
    entry.frame = 0;
    CurrentAnimObj = e;
    return 1;
}

int SetAnim(int entryIndex, int row, int loops) {
    if (!EntryInUse(entryIndex)) return 0;
    if (!MotionRowUsable(row)) return 0;
    AnimObject& entry = AnimObj[entryIndex];
    // A move in progress ends here, where it stands: nothing arrives and the script hears nothing.
    if (entry.type == AnimStraightMove || entry.type == AnimJump || entry.type == AnimTurnMove)
        BreakOffMove(entry.arg);
    // Only a character-motion entry's row is a motion row (a light's or a special's names a light
    // or a door).
    const int current = entry.type == AnimCharacterMotion ? entry.row : -1;
    if (row != current) PreviousMotion = current;
    if (MotionRowUsable(current)) MotionTable[current].active = 0;
    MotionTableEntry& motion = MotionTable[row];
    entry.row = ToInt16(row);
    entry.frameCount = motion.frameCount;
    entry.frame = 0;
    entry.type = AnimCharacterMotion;
    entry.arg = -1;
    entry.followUp = ToInt16(OpenStateIndex);
    motion.active = 1;
    motion.loopMode = ToInt16(loops);
    if (loops > 1) {
        motion.loopCounter = 0;
        motion.loopTarget = ToInt16(loops);
    }
    CurrentAnimObj = entryIndex;
    return 1;
}

int ResetAnimObjects(int n) {
    n = std::clamp(n, 0, MaxAnimObjects);
    AnimObjCount = n;
    CurrentAnimObj = n;
    PathCount = 0;
    CurrentPath = 0;
    CurrentMoverChannel = 0;
    CameraMoverActive = 0;  // a camera move counted out with its entry ends here
    return 1;
}

void UpdateAnimObjects() {
    // Entries added during the pass are reached in the same pass.
    for (int i = 0; i < AnimObjCount; ++i) {
        CurrentAnimObj = i;
        AnimObject& entry = AnimObj[i];
        switch (entry.type) {
            case AnimPathMotion:
                if (entry.arg >= 0) StepPathMotion(entry.arg);
                break;
            case AnimCharacterMotion:
                if (MotionRowUsable(entry.row) && MotionTable[entry.row].active &&
                    MotionTable[entry.row].frameCount > 0)
                    PlayMotionFrame(entry.row);
                break;
            case AnimCameraPath:
                if (entry.arg >= 0) StepCameraPath(entry.arg);
                break;
            case AnimLightRamp: StepLightAnim(entry.row); break;
            case AnimSpecial:
                if (entry.row < 0) break;
                if (entry.followUp == SpecialDoors)
                    StepSpecialDoors(entry.row, entry.arg, entry.frame);
                else if (entry.followUp == SpecialSoundFrames)
                    PlaySoundFrames(entry.frame);
                if (++entry.frame >= entry.frameCount) entry.row = -1;
                break;
            case AnimStraightMove:
            case AnimJump:
            case AnimTurnMove:
                if (entry.arg < 0) break;
                CurrentMoverChannel = entry.arg;
                if (entry.type == AnimStraightMove)
                    StepLineMove(entry.arg);
                else if (entry.type == AnimJump)
                    StepJumpMove(entry.arg);
                else
                    StepTurnMove(entry.arg);
                break;
            default: break;
        }
    }
}
