#pragma once
// What the cube world draws each frame, and in which order: the rooms seen from the player's
// cube through the room exits, each inside its own clip window and drawn farthest first; inside
// a room the floors of classes 2 and 1 first, then every cube farthest first with its faces and
// its map objects. Picking walks the same lists nearest first and stops at the first drawing
// that covers the picked pixel.
#include <cstdint>

#include "platform/result_codes.h"

class Cube;
class MapObject;
class Room;

// Debug switches: while ShowFaces is 0 no cube face is drawn, while ShowObjects is 0 no map
// object is drawn. Picking ignores both.
extern int ShowFaces;
extern int ShowObjects;
// Both switches on, as a fresh process starts.
void ResetViewSwitches();

// Marks a room whose clip window is not valid: the room is not drawn.
constexpr int HiddenClipTop = 9999;

// Kinds of hit.
constexpr int PickNone = 0;
constexpr int PickObject = 1;
constexpr int PickCeiling = 2;
constexpr int PickFloor = 3;
constexpr int PickSide = 4;  // side k is PickSide + k

// One pick: the watched pixel (set to 0 before the pick), and what covered it first.
struct PickRecord {
    uint8_t* pixel;
    MapObject* object;  // the map object hit (kind PickObject)
    Cube* cube;         // the cube whose face was hit, or that holds the object hit
    int kind;
};

// The frame's drawing of the cube world into BackBuffer's view (its top-left three quarters in
// width and height), from the player's eye. Draws nothing without a level or a back buffer, or
// when the buffer cannot be locked.
void DrawWorld();

// Shifts the scene viewport's window with the horizon offset, as the renderer shifts its
// projection centre, so that the 3D characters stand on the floors drawn under them. Every
// frame does it, and the tilt and view-reset keys; the viewport's SetPlane result (D3DRM_OK
// without a viewport).
platform::HResult BandSceneViewport();

// Floods from the player's room through the exits, giving every room reached its clip window
// and its walked cubes. False, with an empty list, when there is no level or no player cube.
bool BuildVisibleRoomList();

// Clears every room's and cube's visited mark; after every drawing and pick.
void ClearRoomVisits();

// The room's floors of class 2, then those of class 1, then every cube, farthest first.
int DrawRoom(Room& room);

// The cube's floor alone, whatever its floor class.
int DrawFloorUnderlay(Cube& cube);

// Picks in the room's walked cubes, nearest first; 1 on a hit.
int PickInRoom(Room& room, PickRecord& pick);

// Picks in the rooms of the visible list in order until one reports a hit; 1 on a hit.
int FindPickedObject(PickRecord& pick);
