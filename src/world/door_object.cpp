// The sliding doors: their travel, their collision with the player and their leaf's faces.
#include "world/door_object.h"

#include <algorithm>

#include "base/report_error.h"
#include "base/wrap.h"
#include "render/lighting.h"
#include "render/quad.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/messages.h"
#include "world/player.h"
#include "world/slide.h"
#include "world/texture_table.h"

namespace {

// The direction that moves a door back the way the other member of its pair moved it.
int OppositeDirection(int direction) { return direction ^ 1; }

Fixed16 Scaled(Fixed16 d, float factor) { return DoubleToInt32(static_cast<float>(d) * factor); }

}  // namespace

DoorObject::~DoorObject() { delete leaf; }

void DoorObject::Update(int op) {
    if (op == 0) {
        if (target != travelled) {
            Step();
        } else {
            target = travelled = 0;
        }
    } else if (op == 3) {
        target = travelled = 0;
    }
}

void DoorObject::StartTravel(int command) {
    travelled = 0;
    direction = command == 1 ? state : OppositeDirection(state);
    Step();
}

void DoorObject::Command(int command, float fraction) {
    switch (command) {
        case 1:
        case 2:
            target = Scaled(extent, fraction);
            StartTravel(command);
            break;
        case 0:
            if (target == travelled) {
                target = travelled = 0;
            }
            Step();
            break;
        case 3: target = travelled = 0; break;
        default: break;
    }
}

void DoorObject::MoveBy(int command, float distance) {
    step = WorldToFixed(distance);
    if (command == 1 || command == 2) {
        target = step;
        StartTravel(command);
    } else if (command == 0 || command == 3) {
        target = travelled = 0;
    }
}

void DoorObject::Step() {
    Fixed16 d = step;
    if (int64_t{travelled} + step > target) {
        d = WrapSub(target, travelled);
    }
    uint16_t corners[8];
    std::copy(leaf->bottom, leaf->bottom + 4, corners);
    std::copy(leaf->top, leaf->top + 4, corners + 4);
    std::sort(corners, corners + 8);
    uint16_t* end = std::unique(corners, corners + 8);
    auto move = [this, d](FixedVector& v) {
        switch (direction) {
            case DoorUp: v.y = WrapAdd(v.y, d); break;
            case DoorDown: v.y = WrapSub(v.y, d); break;
            case DoorAgainst:
                v.x = WrapSub(v.x, Scaled(d, fx));
                v.z = WrapSub(v.z, Scaled(d, fz));
                break;
            case DoorAlong:
                v.x = WrapAdd(v.x, Scaled(d, fx));
                v.z = WrapAdd(v.z, Scaled(d, fz));
                break;
            default: break;
        }
    };
    for (uint16_t* c = corners; c != end; ++c) {
        move(Vertices[*c]);
    }
    move(centre);
    travelled = WrapAdd(travelled, d);
}

void DoorObject::Collide(FixedVector* step) {
    if (PlayerY < leaf->Bottom(0).y) {
        return;
    }
    Fixed16 distance[CubeSides];
    Fixed16 along[CubeSides];
    int q = -1;
    for (int k = 0; k < CubeSides; ++k) {
        distance[k] = PlayerDistanceFromPlane(leaf->Bottom(k), leaf->normal[k]);
        along[k] = StepAlongNormal(*step, leaf->normal[k]);
        if (q < 0 && distance[k] >= 0) {
            q = k;
        }
    }
    if (q < 0) {
        ReportError("%s", PlayerInsideDoorText);
        QuitAppAfterFault();
        return;
    }
    int r = -1;
    if (distance[(q + 1) & 3] >= 0) {
        r = (q + 1) & 3;
    } else if (distance[(q - 1) & 3] >= 0) {
        r = (q - 1) & 3;
    }
    auto clear = [&](int k) { return int64_t{along[k]} + distance[k] > WallDistance - 1; };
    if (clear(q) || (r >= 0 && clear(r))) {
        return;
    }
    if (r >= 0 && along[q] < along[r]) {
        q = r;
    }
    SlideStep(*step, leaf->normal[q], distance[q]);
}

namespace {

// Draws one face of a door leaf; true when something was drawn. A face without a texture
// (open, or an index past the loaded textures) draws nothing.
bool DrawLeafFace(const Cube& leaf, int slot, const FixedVector& c0, const FixedVector& c1,
                  const FixedVector& c2, const FixedVector& c3) {
    const Bitmap* bitmap = TextureAt(leaf.texture[slot]);
    if (!bitmap || !FaceVisible(leaf, slot)) {
        return false;
    }
    const QuadRecord quad{{c0, c1, c2, c3}, bitmap, 0, 0, 0, ObjectBrightness};
    return (DrawTexturedQuad(&quad) & DrawnStatus) != 0;
}

}  // namespace

int DoorObject::Draw() {
    const Cube& l = *leaf;
    int drawn = 0;
    if (DrawLeafFace(l, CeilingSlot, l.Top(0), l.Top(1), l.Top(2), l.Top(3))) {
        drawn |= 0x10;
    }
    if (DrawLeafFace(l, FloorSlot, l.Bottom(0), l.Bottom(1), l.Bottom(2), l.Bottom(3))) {
        drawn |= 0x20;
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (DrawLeafFace(l, k, l.Top(k), l.Top(k + 1), l.Bottom(k + 1), l.Bottom(k))) {
            drawn |= 1 << k;
        }
    }
    return drawn;
}
