#pragma once
// Small worlds built in code: vertices, cubes and rooms placed straight into the level's tables.
#include <initializer_list>

#include "base/fixed.h"
#include "support/fixed_units.h"
#include "world/cube.h"
#include "world/room.h"

namespace testworld {

using support::Fx;

inline uint16_t AddVertex(double x, double y, double z) {
    Vertices[VertexCount] = {Fx(x), Fx(y), Fx(z)};
    return static_cast<uint16_t>(VertexCount++);
}

struct Corner {
    double x, z, y;
};

// A cube of the room with the four floor corners given (x, z, y), its ceiling `height` above,
// floored (texture 0 on every face) unless told otherwise.
inline Cube* AddCube(Room* room, std::initializer_list<Corner> floor, double height = 10.0,
                     bool floored = true) {
    Cube* cube = new Cube;
    int k = 0;
    for (const Corner& c : floor) {
        cube->bottom[k] = AddVertex(c.x, c.y, c.z);
        cube->top[k] = AddVertex(c.x, c.y + height, c.z);
        ++k;
    }
    for (int16_t& t : cube->texture) {
        t = 0;
    }
    if (!floored) {
        cube->texture[FloorSlot] = OpenFace;
    }
    cube->room = room;
    Cubes[CubeCount++] = cube;
    return cube;
}

// An axis-aligned square cube from (x0, z0) to (x1, z1) at floor height y.
inline Cube* AddBox(Room* room, double x0, double z0, double x1, double z1, double y = 0.0,
                    bool floored = true) {
    return AddCube(room, {{x0, z0, y}, {x0, z1, y}, {x1, z1, y}, {x1, z0, y}}, 10.0, floored);
}

inline Room* AddRoom() {
    Room* room = new Room;
    room->firstCube = CubeCount;
    Rooms[RoomCount++] = room;
    return room;
}

// Closes the room opened last: its cubes are those added since.
inline void CloseRoom(Room* room) {
    room->cubeCount = CubeCount - room->firstCube;
    room->BuildCubeNodes();
}

}  // namespace testworld
