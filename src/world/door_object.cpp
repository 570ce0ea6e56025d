#include <algorithm>

#include "base/report_error.h"
#include "base/wrap.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/messages.h"
#include "world/player.h"
#include "world/slide.h"

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
        QuitApp();
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
