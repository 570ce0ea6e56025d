#include "anim/movers.h"

#include <algorithm>
#include <cmath>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/key_frames.h"
#include "anim/motion_table.h"
#include "base/build_variant.h"
#include "base/fixed.h"
#include "platform/rm_math.h"
#include "script/events.h"
#include "script/runner.h"
#include "world/camera_height.h"
#include "world/camera_position.h"
#include "world/char3d_object.h"
#include "world/cube.h"

MoverChannelRecord MoverChannel[MoverChannels];
int CurrentMoverChannel = 0;
int CameraMoverEntry = -1;

namespace {

enum class MoveKind { Straight, Turning, Jump };

// A character's channel is its animation object; characters whose object lies at the camera's
// channel or beyond have none. Row -1 is the camera.
int ChannelOfRow(int row) {
    if (row == -1) return CameraChannel;
    if (!MotionRowUsable(row)) return -1;
    const int entry = MotionTable[row].animObj;
    return entry >= 0 && entry < CameraChannel && entry < AnimObjCount ? entry : -1;
}

float Distance(const float from[3], const float to[3]) {
    const float dx = to[0] - from[0], dy = to[1] - from[1], dz = to[2] - from[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

MoverChannelRecord& SetUpChannel(int channel, int row, const float from[3]) {
    MoverChannelRecord& c = MoverChannel[channel];
    c.kind = static_cast<int16_t>(row == -1 ? MoverCamera : MoverCharacter);
    c.row = static_cast<int16_t>(row);
    c.frame = 0;
    std::copy(from, from + 3, c.start);
    return c;
}

int16_t MoveFrames(double frames, double least) {
    return static_cast<int16_t>(std::clamp(frames, least, static_cast<double>(MaxMoveFrames)));
}

// The heading difference taken the shorter way round.
float ShorterTurn(float startHeading, float endHeading) {
    const float d = endHeading - startHeading;
    if (d > 180.0f) return -(360.0f - d);
    if (d < -180.0f) return 360.0f + d;
    return d;
}

int StartStraight(int row, const float from[3], const float to[3], float speed, MoveKind kind,
                  float startHeading, float endHeading, int turnFrames, int notify) {
    const int channel = ChannelOfRow(row);
    if (channel < 0 || (kind == MoveKind::Turning && channel == CameraChannel)) return -1;
    const float distance = Distance(from, to);
    if (!(distance > 0.0f) || !(speed > 0.0f)) return -1;
    // The object advances by the speed each frame and stops short of the target by less than
    // one step: a move shorter than one step places its start only and ends on the next step.
    const float n = distance / speed;
    MoverChannelRecord& c = SetUpChannel(channel, row, from);
    c.frameCount = MoveFrames(std::trunc(n), 0.0);
    // The second build lands on the target of a move of whole frames; a shorter one places its
    // start only, whatever its step.
    const bool byFrames = SecondBuild && c.frameCount > 0;
    const float divisor = byFrames ? static_cast<float>(c.frameCount) : n;
    for (int i = 0; i < 3; ++i) c.step[i] = divisor > 0.0f ? (to[i] - from[i]) / divisor : 0.0f;
    c.turnStep = 0.0f;
    if (kind == MoveKind::Turning) {
        c.turnHeading = startHeading;
        c.turnFrames = turnFrames;
        c.notify = notify;
        const float frames = static_cast<float>(turnFrames);
        float spread = byFrames ? static_cast<float>(c.frameCount) : (n <= frames ? n : frames);
        // A move shorter than one step turns to its end heading in its one placement, never past.
        if (spread > 0.0f) spread = std::max(spread, 1.0f);
        c.turnStep = spread > 0.0f ? ShorterTurn(startHeading, endHeading) / spread : 0.0f;
        c.floor = from[1] - AnimObj[channel].heightOffset;
    }
    return channel;
}

// The channel if it carries something that can be stepped, else null.
MoverChannelRecord* Steppable(int channel) {
    if (channel < 0 || channel >= MoverChannels) return nullptr;
    MoverChannelRecord& c = MoverChannel[channel];
    if (c.kind == MoverCamera) return channel == CameraChannel ? &c : nullptr;
    if (c.kind != MoverCharacter || channel >= AnimObjCount || !MotionRowUsable(c.row))
        return nullptr;
    return &c;
}

void Place(int channel, const float p[3], bool holdCamera) {
    const MoverChannelRecord& c = MoverChannel[channel];
    if (c.kind == MoverCharacter) {
        if (Char3DObject* character = AnimObj[channel].character) {
            SetObjectPosition(character, p[0], p[1], p[2]);
        }
        return;
    }
    if (holdCamera) CameraMoverActive = 1;
    SetCameraPosition(p[0], p[1], p[2], KeepHeading, 0);
}

void MarkArrival(int hotSpot, int value) {
    if (hotSpot >= 0 && hotSpot < HotSpotCount)
        HotSpots[hotSpot].object = static_cast<int16_t>(value);
}

// The first step past the last frame: the character goes back to its motion and its follow-up
// state hears of it, or the camera's "HotSpot" event runs.
void EndMove(int channel, MoveKind kind) {
    MoverChannelRecord& c = MoverChannel[channel];
    if (c.kind == MoverCharacter) {
        AnimObject& entry = AnimObj[channel];
        entry.type = AnimCharacterMotion;
        entry.row = c.row;
        entry.arg = -1;
        MarkArrival(c.targetHotSpot, c.row);
        if (kind == MoveKind::Jump) MotionTable[c.row].applyMode = 0;
        if (kind != MoveKind::Turning || c.notify == 1)
            TriggerState(channel, c.row, entry.followUp);
    } else {
        if (CameraMoverEntry >= 0 && CameraMoverEntry < AnimObjCount) {
            AnimObj[CameraMoverEntry].type = AnimFree;
        }
        MarkArrival(c.targetHotSpot, CameraArrival);
        RaiseHotSpotEvent(CameraArrival, c.targetHotSpot);
        CameraMoverActive = 0;  // set by the straight move's and the jump's steps alike
    }
    c.frame = 0;
    UpdateStateFlag = 1;
}

}  // namespace

int StartLineMove(int row, const float from[3], const float to[3], float speed) {
    return StartStraight(row, from, to, speed, MoveKind::Straight, 0.0f, 0.0f, 0, 0);
}

int StartLineTurnMove(int row, const float from[3], const float to[3], float speed,
                      float startHeading, float endHeading, int turnFrames, int notify) {
    return StartStraight(row, from, to, speed, MoveKind::Turning, startHeading, endHeading,
                         turnFrames, notify);
}

int StartJumpMove(int row, const float from[3], const float to[3], float angleDegrees) {
    const int channel = ChannelOfRow(row);
    if (channel < 0) return -1;
    const float distance = Distance(from, to);
    if (!(distance > 0.0f)) return -1;
    const double e = angleDegrees * DegreesToRadians;
    const double flight = std::sqrt(distance * std::sin(e) / (HalfGravity * std::cos(e)));
    const double launch = distance / (std::cos(e) * flight);
    if (!std::isfinite(flight) || !(flight > 0.0) || !std::isfinite(launch)) return -1;

    MoverChannelRecord& c = SetUpChannel(channel, row, from);
    // A flight shorter than one frame takes one.
    c.frameCount = MoveFrames(std::trunc(flight * JumpFramesPerUnit), 1.0);
    std::copy(to, to + 3, c.target);
    c.launchAngle = static_cast<float>(e);
    c.speed = static_cast<float>(launch);
    platform::RmVector a{from[0], from[1], from[2]}, b{to[0], to[1], to[2]}, d;
    platform::RmVectorSubtract(&d, &b, &a);
    platform::RmVectorNormalize(&d);
    c.heading = std::atan2(d.x, d.z);
    c.step[0] = std::sin(c.heading);
    c.step[1] = (to[1] - from[1]) / c.frameCount;
    c.step[2] = std::cos(c.heading);
    if (row >= 0) MotionTable[row].applyMode = 1;
    return channel;
}

void StepLineMove(int channel) {
    MoverChannelRecord* c = Steppable(channel);
    if (!c) return;
    if (c->frame > c->frameCount) return EndMove(channel, MoveKind::Straight);
    if (c->kind == MoverCharacter) PlayMotionFrame(c->row);
    float p[3];
    for (int i = 0; i < 3; ++i) p[i] = c->start[i] + c->frame * c->step[i];
    Place(channel, p, true);
    ++c->frame;
}

void StepTurnMove(int channel) {
    MoverChannelRecord* c = Steppable(channel);
    if (!c) return;
    if (c->frame > c->frameCount) return EndMove(channel, MoveKind::Turning);
    if (c->kind == MoverCharacter) PlayMotionFrame(c->row);
    float p[3];
    p[0] = c->start[0] + c->frame * c->step[0];
    p[2] = c->start[2] + c->frame * c->step[2];
    const float lift = c->kind == MoverCharacter ? AnimObj[channel].heightOffset : 0.0f;
    p[1] = KeepOnFloor(p[0], p[2], c->floor) + lift;
    if (c->turnStep != 0.0f && c->frame < c->turnFrames) {
        c->turnHeading += c->turnStep;
        if (c->turnHeading > 360.0f)
            c->turnHeading -= 360.0f;
        else if (c->turnHeading < 0.0f)
            c->turnHeading += 360.0f;
        RotateMotionObj(AnimCharacterMotion, c->row, 0, c->turnHeading, 0);
    }
    Place(channel, p, false);
    ++c->frame;
}

void StepJumpMove(int channel) {
    MoverChannelRecord* c = Steppable(channel);
    if (!c) return;
    if (c->frame > c->frameCount) return EndMove(channel, MoveKind::Jump);
    if (c->kind == MoverCharacter) PlayMotionFrame(c->row);
    const double t = c->frame / JumpFramesPerUnit;
    const double rise = (c->speed * std::sin(c->launchAngle) - HalfGravity * t) * t;
    float p[3];
    if (SecondBuild) {
        p[0] = c->start[0] + c->frame * ((c->target[0] - c->start[0]) / c->frameCount);
        p[2] = c->start[2] + c->frame * ((c->target[2] - c->start[2]) / c->frameCount);
    } else {
        const double along = c->speed * std::cos(c->launchAngle) * t;
        p[0] = static_cast<float>(c->start[0] + along * c->step[0]);
        p[2] = static_cast<float>(c->start[2] + along * c->step[2]);
    }
    p[1] = static_cast<float>(c->start[1] + c->frame * c->step[1] + rise);
    if (rise < 0.0 && c->target[1] > p[1]) {
        p[1] = c->target[1];  // landed: the next step ends the jump
        c->frame = c->frameCount;
    }
    Place(channel, p, true);
    ++c->frame;
}

int AddCameraMoverObject(int frames, int type) {
    int e = CameraMoverEntry;
    const bool reusable = e >= 0 && e < AnimObjCount &&
                          (AnimObj[e].type == AnimFree ||
                           ((AnimObj[e].type == AnimStraightMove || AnimObj[e].type == AnimJump) &&
                            AnimObj[e].arg == CameraChannel));
    if (!reusable && (e = NewAnimEntry()) < 0) return 0;
    AnimObject& entry = AnimObj[e];
    entry.type = static_cast<int16_t>(type);
    entry.row = -1;
    entry.arg = CameraChannel;
    entry.frameCount = static_cast<int16_t>(frames);
    entry.frame = 0;
    CameraMoverEntry = e;
    CurrentAnimObj = e;
    return 1;
}

float KeepOnFloor(float x, float z, float& floor) {
    const Fixed16 fx = DoubleToInt32(x * 65536.0), fz = DoubleToInt32(z * 65536.0);
    if (const Cube* cube = FindCubeAt(fx, fz)) {
        const Fixed16 height = cube->floorSloped ? cube->FloorHeight(fx, fz) : cube->Bottom(0).y;
        floor = static_cast<float>(height / 65536.0);
    }
    int platform = -1;
    return FindPlatformHotSpot(x, z, &platform) ? floor + HotSpots[platform].platformHeight : floor;
}

int FindPlatformHotSpot(float x, float z, int* out) {
    for (int i = 0; i < HotSpotCount; ++i) {
        const HotSpotEntry& h = HotSpots[i];
        if (h.type != PlatformHotSpot) continue;
        if (ManhattanDistanceXZ(x, z, h.position[0], h.position[2]) <= h.radius) {
            *out = i;
            return 1;
        }
    }
    return 0;
}

float ManhattanDistanceXZ(float x1, float z1, float x2, float z2) {
    return std::fabs(x1 - x2) + std::fabs(z1 - z2);
}

int MoverChannelRow(int channel) {
    return channel >= 0 && channel < MoverChannels ? MoverChannel[channel].row : -1;
}

void StopMoverChannel(int channel) {
    if (channel >= 0 && channel < MoverChannels) MoverChannel[channel].row = -1;
}

void BreakOffMove(int channel) {
    if (channel < 0 || channel >= MoverChannels) return;
    MoverChannelRecord& c = MoverChannel[channel];
    c.frame = 0;
    if (c.kind == MoverCamera)
        CameraMoverActive = 0;
    else if (c.kind == MoverCharacter && MotionRowUsable(c.row))
        MotionTable[c.row].applyMode = 0;
}

int RotateMotionObj(int kind, int row, int, float yawDegrees, int) {
    if (kind != AnimCharacterMotion || !MotionRowUsable(row)) return 0;
    SetMotionYaw(row, static_cast<float>(yawDegrees * DegreesToRadians));
    return 1;
}
