#pragma once
// Everything placed inside a cube besides its walls: sliding doors, flat animated decorations,
// billboard sprites and 3D characters.
#include <cstdint>

#include "base/fixed.h"
#include "world/limits.h"

class Cube;

// The base of the map objects. Its three operations, in this order: Update (given an operation
// code), Draw (returning the renderer's status bits) and Collide (given the player's step).
class MapObject {
public:
    virtual void Update(int op);
    virtual int Draw();
    virtual void Collide(FixedVector* step);
    virtual ~MapObject() = default;

    FixedVector centre{};  // the sort key's position
    int type = 0;          // Sprite2DType, DoorType, Char3DType or DecoType
    int id = 0;            // index in MapObjectTable
    Cube* cube = nullptr;  // the cube whose list holds it
};

// A node of a cube's doubly linked object list.
struct ObjectListNode {
    ObjectListNode* previous;
    ObjectListNode* next;
    MapObject* object;
};

// Objects by id for the script; 3D characters made at run time take ObjectCount as their id.
// An object enters the table only together with a cube's list, which keeps it until the level
// is freed: a slot taken over by a later object loses nothing.
extern MapObject* MapObjectTable[MaxMapObjects];
extern int ObjectCount;

// Appends a node for the object at the tail of the cube's list.
void AppendObject(Cube& cube, MapObject* object);
// Unlinks and deletes the cube's node of the object (the object itself stays).
void RemoveObject(Cube& cube, MapObject* object);
// Deletes a list's nodes (not their objects).
void FreeObjectNodes(ObjectListNode* head);

// Update(0) of every object of the cube, then the depth sort, farthest from the player first.
void UpdateObjects(Cube& cube);
void SortObjects(Cube& cube);

// The sort key: the squared distance from the player in the floor plane, at reduced precision.
Fixed16 ObjectDistanceKey(const MapObject& object);

// Once a frame: the cursor at the screen edges moves the player, then every cube's objects
// update and are sorted, in load order.
void UpdateWorld();

// Script back-ends, each reaching an object by id; an id that names no object of the right
// kind does nothing.
void SpriteAnim(int id, int op);
void UpdateDoor(int id, int command, float fraction);
void SwapTexture(int id, int set);
void SwapDeco(int id, int set);
void MoveDoorBy(int id, int command, float distance);
