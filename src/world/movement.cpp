#include "world/movement.h"

#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "base/wrap.h"
#include "platform/input.h"
#include "platform/rm_frame.h"
#include "render/lighting.h"
#include "world/camera_height.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/messages.h"
#include "world/player.h"
#include "world/slide.h"

namespace {

// Collide of every object in the cube's list, in list order.
void CollideObjects(Cube& cube, FixedVector* step) {
    for (ObjectListNode* node = cube.objects; node; node = node->next) {
        node->object->Collide(step);
    }
}

bool SteepFloor(const Cube& cube) {
    return cube.texture[FloorSlot] != OpenFace && cube.normal[FloorSlot].y < SteepNormalY;
}

// A ceiling whose normal points down with a height part of less than 0.5.
bool SteepCeiling(const Cube& cube) {
    const Fixed16 y = cube.normal[CeilingSlot].y;
    return cube.texture[CeilingSlot] != OpenFace && y > -SteepNormalY && y < 0;
}

// The sides of the neighbour p that the step reaches: an open side with a cube behind lets
// that cube's objects cut the step, any other side slides it.
void CutAgainstNeighbour(Cube& from, Cube& p, FixedVector* step) {
    CollideObjects(p, step);
    for (int j = 0; j < CubeSides; ++j) {
        if (p.Degenerate(j) || p.link[j] == &from || !SideNear(p, j, *step)) {
            continue;
        }
        if (p.texture[j] == OpenFace && p.link[j]) {
            CollideObjects(*p.link[j], step);
        } else {
            SlideAlongWall(p, j, step);
        }
    }
}

void Turn(int delta) {
    PlayerHeading = static_cast<Angle16>(PlayerHeading + delta);
    if (CameraFrame) {
        const FixedVectorF d = HeadingDirection(PlayerHeading);
        CameraFrame->SetOrientation(SceneFrame, d.x, d.y, d.z, 0.0f, 1.0f, 0.0f);
    }
}

}  // namespace

bool SideNear(const Cube& cube, int k, const FixedVector& step) {
    const FixedVector& b0 = cube.Bottom(k);
    const FixedVector& b1 = cube.Bottom(k + 1);
    const Fixed16 distance = PlayerDistanceFromPlane(b0, cube.normal[k]);
    const Fixed16 along = StepAlongNormal(step, cube.normal[k]);
    if (WrapAdd(along, distance) >= WallDistance) {
        return false;
    }
    const Fixed16 length = Distance2D(b0.x, b0.z, b1.x, b1.z);
    if (length == 0) {
        // Two corners at one place make no wall to come near.
        return false;
    }
    const float ex = static_cast<float>(WrapSub(b0.x, b1.x)) / static_cast<float>(length);
    const float ez = static_cast<float>(WrapSub(b0.z, b1.z)) / static_cast<float>(length);
    const float beyond0 = static_cast<float>(WrapSub(PlayerX, b0.x)) * ex +
                          static_cast<float>(WrapSub(PlayerZ, b0.z)) * ez;
    if (DoubleToInt32(beyond0) >= WallDistance) {
        return false;
    }
    const float beyond1 = -(ex * static_cast<float>(WrapSub(PlayerX, b1.x))) -
                          ez * static_cast<float>(WrapSub(PlayerZ, b1.z));
    return DoubleToInt32(beyond1) < WallDistance;
}

void SlideAlongWall(const Cube& cube, int k, FixedVector* step) {
    SlideStep(*step, cube.normal[k], PlayerDistanceFromPlane(cube.Bottom(k), cube.normal[k]));
}

void MovePlayerStep(Cube* cube, FixedVector* step) {
    CollideObjects(*cube, step);
    for (int k = 0; k < CubeSides; ++k) {
        if (cube->Degenerate(k) || !SideNear(*cube, k, *step)) {
            continue;
        }
        Cube* p = cube->link[k];
        if (cube->texture[k] != OpenFace || !p) {
            if (CubeCount > FatalWallCube && cube == Cubes[FatalWallCube]) {
                QuitAppAfterFault();
                return;
            }
            SlideAlongWall(*cube, k, step);
        } else if (SteepFloor(*p) || SteepCeiling(*p)) {
            SlideAlongWall(*cube, k, step);
        } else {
            CutAgainstNeighbour(*cube, *p, step);
        }
    }
    const Fixed16 x = WrapAdd(PlayerX, step->x);
    const Fixed16 z = WrapAdd(PlayerZ, step->z);
    CurrentCube = cube->FindCubeFrom(x, z);
    if (!CurrentCube) {
        ReportError("%s", PlayerPositionWrongText);
        QuitAppAfterFault();
        return;
    }
    PlayerX = x;
    PlayerZ = z;
    UpdateCameraHeight(CurrentCube);
}

int MovePlayer(int code) {
    if (!CurrentCube) {
        // No level, or the player left every cube: there is nothing to move through.
        return 0;
    }
    if (Falling) {
        UpdateCameraHeight(CurrentCube);
        return 1;
    }
    int direction = 0;
    bool back = false;
    switch (code) {
        case MoveTurnLeft: Turn(-TurnStep); return 1;
        case MoveTurnRight: Turn(TurnStep); return 1;
        case MoveForwardLeft:
        case MoveForwardLeftEdge: direction = -DiagonalOffset; break;
        case MoveForwardRight:
        case MoveForwardRightEdge: direction = DiagonalOffset; break;
        case MoveForward: break;
        case MoveBack: back = true; break;
        case MoveBackLeft:
            direction = DiagonalOffset;
            back = true;
            break;
        case MoveBackRight:
            direction = -DiagonalOffset;
            back = true;
            break;
        default: return 0;
    }
    const Angle16 angle = static_cast<Angle16>(PlayerHeading + direction);
    FixedVector step{SinOf(angle) * StepScale, 0, CosOf(angle) * StepScale};
    if (back) {
        step.x = -step.x;
        step.z = -step.z;
    }
    MovePlayerStep(CurrentCube, &step);
    return 1;
}

int MouseZoneCode(int x, int y) {
    if (x < EdgeZoneLeft || x > EdgeZoneRight) {
        const bool left = x < EdgeZoneLeft;
        if (y <= EdgeZoneTop) {
            return left ? MoveForwardLeftEdge : MoveForwardRightEdge;
        }
        if (y >= EdgeZoneBottom) {
            return left ? MoveBackLeft : MoveBackRight;
        }
        return left ? MoveTurnLeft : MoveTurnRight;
    }
    if (y < EdgeZoneTop) {
        return MoveForward;
    }
    if (y > EdgeZoneBottom) {
        return MoveBack;
    }
    return MoveNone;
}

int MovePlayerByMouse() {
    // A pointer outside the window, or a window in the background, steers nothing; the call
    // is made all the same, as it carries a fall on by a frame.
    int code = MoveNone;
    if (platform::PointerInWindow() && platform::HasInputFocus()) {
        platform::Point cursor{};
        platform::GetCursorPos(&cursor);
        code = MouseZoneCode(cursor.x, cursor.y);
    }
    MovePlayer(code);
    return 0;
}
