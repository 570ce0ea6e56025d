// The rooms of the level: each cube file's cubes, their exits into other rooms and the list of
// cube nodes the drawing walk fills.
#include "world/room.h"

#include "base/report_error.h"
#include "world/cube.h"
#include "world/messages.h"

Room* Rooms[MaxRooms];
int RoomCount = 0;

Room::Room()
    : exitRoom{}, exitCube{}, exitSide{}, exitCount(0), firstCube(0), cubeCount(0), visited(0),
      cubeNodesHead(nullptr), cubeNodesCursor(nullptr), clip{} {}

Room::~Room() {
    for (CubeNode* node = cubeNodesHead; node;) {
        CubeNode* next = node->next;
        delete node;
        node = next;
    }
}

void Room::BuildCubeNodes() {
    const int count = cubeCount > 1 ? cubeCount : 1;
    CubeNode* last = nullptr;
    for (int i = 0; i < count; ++i) {
        CubeNode* node = new CubeNode{last, nullptr, nullptr};
        if (last) {
            last->next = node;
        } else {
            cubeNodesHead = node;
        }
        last = node;
    }
    cubeNodesCursor = last;
}

bool Room::FindExits() {
    exitCount = 0;
    for (int i = firstCube; i < firstCube + cubeCount; ++i) {
        Cube* cube = Cubes[i];
        if (!cube->Floored() || cube->link[FloorSlot]) {
            continue;
        }
        for (int k = 0; k < CubeSides; ++k) {
            const Cube* n = cube->link[k];
            if (!n || n->room == this) {
                continue;
            }
            if (exitCount == MaxRoomExits) {
                ReportError("%s", TooManyExitsText);
                QuitAppAfterFault();
                return false;
            }
            exitCube[exitCount] = cube;
            exitSide[exitCount] = k;
            ++exitCount;
        }
    }
    return true;
}

void Room::LinkRooms() {
    for (int i = 0; i < exitCount; ++i) {
        exitRoom[i] = nullptr;
        for (int r = 0; r < RoomCount && !exitRoom[i]; ++r) {
            Room* other = Rooms[r];
            if (other == this) {
                continue;
            }
            for (int e = 0; e < other->exitCount && !exitRoom[i]; ++e) {
                for (int k = 0; k < CubeSides; ++k) {
                    if (other->exitCube[e]->link[k] == exitCube[i]) {
                        exitRoom[i] = other;
                        break;
                    }
                }
            }
        }
    }
}
