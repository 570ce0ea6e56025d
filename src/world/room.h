#pragma once
// The rooms of the level: the cubes of one cube file each, joined to other rooms at exits, with
// the room table.
#include "world/limits.h"

class Cube;

// A node of a room's scratch list of cubes, filled by the drawing walk.
struct CubeNode {
    CubeNode* previous;
    CubeNode* next;
    Cube* cube;
};

// The cubes of one cube file; rooms meet at exits.
class Room {
public:
    Room();
    ~Room();
    Room(const Room&) = delete;
    Room& operator=(const Room&) = delete;

    // Records the sides through which this room's cubes lead into other rooms; false (after the
    // report) when there are more than MaxRoomExits.
    bool FindExits();
    // Finds the room behind each exit.
    void LinkRooms();
    // Makes the list of cube nodes: cubeCount nodes, at least one; the cursor ends on the last.
    void BuildCubeNodes();

    Room* exitRoom[MaxRoomExits];  // the room behind each exit, null when not found
    Cube* exitCube[MaxRoomExits];  // this room's cube at each exit
    int exitSide[MaxRoomExits];    // the side of that cube through which the exit leads
    int exitCount;
    int firstCube;  // index in Cubes of the room's first cube
    int cubeCount;
    int visited;
    CubeNode* cubeNodesHead;
    CubeNode* cubeNodesCursor;
    int clip[4];  // screen clip window left, top, right, bottom (inclusive)
};

extern Room* Rooms[MaxRooms];
extern int RoomCount;
