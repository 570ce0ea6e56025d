#pragma once
// The world's convex cells, with the level's vertex and cube tables.
#include <cstdint>

#include "base/fixed.h"
#include "world/limits.h"

class Room;
struct ObjectListNode;
struct PickRecord;

// A convex cell: four floor corners, four ceiling corners, six faces and links to its
// neighbours. A door leaf is also a Cube, owned by its door and not in Cubes.
class Cube {
public:
    Cube();
    ~Cube();
    Cube(const Cube&) = delete;
    Cube& operator=(const Cube&) = delete;

    // Sets link[0..3] from the geometry of the loaded cubes.
    void LinkNeighbours();
    // Whether (x, z) lies inside the floor outline; points on an edge are inside.
    bool Contains(Fixed16 x, Fixed16 z) const;
    // The cube holding (x, z), searched from this cube outward; null when none.
    Cube* FindCubeFrom(Fixed16 x, Fixed16 z);
    // Height at (x, z) of the plane through bottom corners 0, 1 and 3.
    Fixed16 FloorHeight(Fixed16 x, Fixed16 z) const;
    // Draws the cube's visible faces and then its map objects; returns 1.
    int Draw();
    // Draws the cube's objects, nearest first, then its faces until one of them covers the
    // picked pixel; 1 on a hit, recorded in the pick record.
    int Pick(PickRecord& pick);

    bool Floored() const { return texture[FloorSlot] != OpenFace; }
    bool Degenerate(int side) const { return bottom[side] == bottom[(side + 1) & 3]; }
    const FixedVector& Bottom(int corner) const;
    const FixedVector& Top(int corner) const;

    FixedVector texU[CubeFaces];  // texture origin point per face slot
    FixedVector texV[CubeFaces];  // end of the texture u axis
    FixedVector texW[CubeFaces];  // end of the texture v axis
    uint16_t bottom[4];           // Vertices indices of the floor corners
    uint16_t top[4];              // Vertices indices of the ceiling corners (top k above bottom k)
    FixedVector normal[CubeFaces];  // unit normals: into a room cube, out of a door leaf
    int16_t texture[CubeFaces];     // TextureTable index per face slot, OpenFace when open
    int16_t faceFlags[CubeFaces];   // face flags per slot
    FixedVector centre;             // mean of the bottom corners
    Cube* link[CubeFaces];          // sides 0..3, then the cube above and the cube below
    ObjectListNode* objects;        // head of the list of map objects inside
    int16_t floorClass;             // 0, 1 or 2: drawing order of the floor
    uint8_t floorSloped;            // 1 when the floor is not level
    int visited;                    // drawing mark
    Room* room;                     // the room of the cube file that holds it
};

// The level's tables.
extern FixedVector Vertices[MaxVertices];
extern int VertexCount;
extern Cube* Cubes[MaxCubes];
extern int CubeCount;

// 1 when (x, z) lies left of the line from corner b to corner a, 0 on it, -1 right of it.
int EdgeSide(Fixed16 x, Fixed16 z, const FixedVector& a, const FixedVector& b);

// The first floored cube in load order containing (x, z); null when none.
Cube* FindCubeAt(Fixed16 x, Fixed16 z);

// Whether face slot k of the cube faces the eye.
bool FaceVisible(const Cube& cube, int k);

// Turns a cube loaded with a sloped first side so that its side 0 starts at a level edge.
void RotateCubeSides(Cube& cube);
