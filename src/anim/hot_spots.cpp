#include "anim/hot_spots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "anim/anim_objects.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "base/fixed.h"
#include "base/graphics_objects.h"
#include "planner/robot_control.h"
#include "platform/rm.h"
#include "script/events.h"

HotSpotEntry HotSpots[MaxHotSpots];
int HotSpotCount = 0;

namespace {

// The cone: an octagon of the radius half a unit below the point, and the apex at the point.
void BuildMarker(HotSpotEntry& spot) {
    constexpr int apex = MarkerSides;
    platform::RmVector vertices[MarkerSides + 1];
    platform::RmVector normals[MarkerSides];
    for (int i = 0; i < MarkerSides; ++i) {
        const double angle = i * (2.0 * std::numbers::pi / MarkerSides);
        const float c = static_cast<float>(std::cos(angle)),
                    s = static_cast<float>(std::sin(angle));
        vertices[i] = {spot.radius * c, -MarkerDrop, spot.radius * s};
        normals[i] = {c, 0.0f, s};
    }
    vertices[apex] = {0.0f, 0.0f, 0.0f};
    // The base over vertices 7 down to 0, then the eight sides up to the apex.
    uint32_t faces[1 + 2 * MarkerSides + MarkerSides * 7 + 1];
    int n = 0;
    faces[n++] = MarkerSides;
    for (int i = MarkerSides - 1; i >= 0; --i) {
        faces[n++] = i;
        faces[n++] = i;
    }
    for (int i = 0; i < MarkerSides; ++i) {
        const uint32_t next = (i + 1) % MarkerSides;
        for (uint32_t v : {3u, uint32_t(i), uint32_t(i), next, next, uint32_t(apex), 1u})
            faces[n++] = v;
    }
    faces[n++] = 0;

    platform::RmMeshBuilder* builder = nullptr;
    if (platform::Failed(RMObject->CreateMeshBuilder(&builder))) return;
    builder->AddFaces(vertices, MarkerSides + 1, normals, MarkerSides, faces, n, nullptr);
    builder->CreateMesh(&spot.marker);
    builder->Release();
    if (spot.marker) spot.frame->AddVisual(spot.marker);
}

// The marker and its frame leave the scene.
void TakeDownMarker(HotSpotEntry& spot) {
    if (spot.frame && spot.marker) spot.frame->DeleteVisual(spot.marker);
    if (spot.frame && spot.frame->GetParent()) spot.frame->GetParent()->DeleteChild(spot.frame);
    if (spot.marker) spot.marker->Release();
    if (spot.frame) spot.frame->Release();
    spot.marker = nullptr;
    spot.frame = nullptr;
}

bool Exists(int hotSpot) { return hotSpot >= 0 && hotSpot < HotSpotCount; }

// Where a hot spot's marker stands relative to the world frame.
void HotSpotPosition(const HotSpotEntry& spot, float out[3]) {
    std::copy(spot.position, spot.position + 3, out);
    platform::RmVector p;
    if (spot.frame && WorldFrame && !platform::Failed(spot.frame->GetPosition(WorldFrame, &p))) {
        out[0] = p.x;
        out[1] = p.y;
        out[2] = p.z;
    }
}

// A frame's position relative to `reference`, in world units; false without the frame.
bool WorldUnitsOf(platform::RmFrame* frame, platform::RmFrame* reference, float out[3]) {
    platform::RmVector p;
    if (!frame || platform::Failed(frame->GetPosition(reference, &p))) return false;
    out[0] = p.x / WorldScale;
    out[1] = p.y / WorldScale;
    out[2] = p.z / WorldScale;
    return true;
}

// The top part's frame of a motion row's character.
platform::RmFrame* TopPartFrame(int row) {
    return MotionRowUsable(row) ? PartFrame(MotionLink[MotionTable[row].firstLink].part) : nullptr;
}

}  // namespace

int AddHotSpot(const float* numbers, int n) {
    if (HotSpotCount >= MaxHotSpots || n < 1 || n > MaxHotSpotNumbers) return -1;
    const int index = HotSpotCount++;
    HotSpotEntry& spot = HotSpots[index];
    TakeDownMarker(spot);
    spot.type = static_cast<int16_t>(DoubleToInt32(numbers[0]));
    spot.radius = numbers[1];
    std::copy(numbers + 2, numbers + 5, spot.position);
    spot.platformHeight = numbers[6];
    spot.object = NoArrival;
    if (RMObject && WorldFrame &&
        !platform::Failed(RMObject->CreateFrame(WorldFrame, &spot.frame))) {
        spot.frame->SetPosition(WorldFrame, spot.position[0], spot.position[1], spot.position[2]);
        BuildMarker(spot);
    }
    return index;
}

int MoveToHotSpot(int mode, int row, int hotSpot, float speed, int robot) {
    if (!Exists(hotSpot)) return -1;
    const bool camera = mode == CameraToHotSpot || mode == CameraJumpToHotSpot;
    float start[3], target[3];
    if (camera) {
        if (!WorldUnitsOf(CameraFrame, SceneFrame, start)) return -1;
    } else if (mode == WalkToHotSpot || mode == JumpToHotSpot) {
        if (!WorldUnitsOf(TopPartFrame(row), WorldFrame, start)) return -1;
    }
    HotSpotPosition(HotSpots[hotSpot], target);
    if (!camera && MotionRowUsable(row)) {
        const int entry = MotionTable[row].animObj;
        if (entry >= 0 && entry < AnimObjCount) target[1] += AnimObj[entry].heightOffset;
    }

    int channel = -1;
    int type = AnimStraightMove;
    switch (mode) {
        case WalkToHotSpot: channel = StartLineMove(row, start, target, speed); break;
        case JumpToHotSpot:
            channel = StartJumpMove(row, start, target, speed);
            type = AnimJump;
            break;
        case RobotToHotSpot: return SendRobotToWithSpeed(robot, row, target[0], target[2], speed);
        case CameraToHotSpot: channel = StartLineMove(-1, start, target, speed); break;
        case CameraJumpToHotSpot:
            channel = StartJumpMove(-1, start, target, speed);
            type = AnimJump;
            break;
        default: return -1;
    }
    if (channel < 0) return -1;
    const int frames = MoverChannel[channel].frameCount;
    if (!(camera ? AddCameraMoverObject(frames, type) : AddAnimObject(channel, frames, type, 0)))
        return -1;
    MoverChannelRecord& c = MoverChannel[channel];
    if (Exists(c.targetHotSpot))
        HotSpots[c.targetHotSpot].object = camera ? CameraArrival : NoArrival;
    c.targetHotSpot = static_cast<int16_t>(hotSpot);
    return hotSpot;
}

int CheckHotSpots(int n, int mode, int* out) {
    *out = -1;
    switch (mode) {
        case HotSpotObject:
            if (!Exists(n)) return 0;
            *out = HotSpots[n].object;
            return 1;
        case HotSpotCameraCheck: {
            float eye[3];
            if (!WorldUnitsOf(CameraFrame, WorldFrame, eye)) return 1;
            // The "HotSpot" state may add hot spots or count them out: the count is read each time.
            for (int i = 0; i < HotSpotCount; ++i) {
                const HotSpotEntry& spot = HotSpots[i];
                if (spot.type != CameraHotSpot && spot.type != PlatformHotSpot) continue;
                const float dx = spot.position[0] - eye[0], dz = spot.position[2] - eye[2];
                if (dx * dx + dz * dz < spot.radius * spot.radius) {
                    RaiseHotSpotEvent(CameraArrival, i);
                    *out = i;
                }
            }
            return 1;
        }
        case HotSpotNothing: return 1;
        default: return 0;
    }
}

int SetHotSpotCount(int n) {
    n = std::clamp(n, 0, MaxHotSpots);
    for (int i = n; i < HotSpotCount; ++i) TakeDownMarker(HotSpots[i]);
    HotSpotCount = n;
    return 1;
}
