// Tables and limits of the cube world.
#pragma once
#include <cstdint>

// Capacities of the level's tables.
constexpr int MaxVertices = 4000;
constexpr int MaxTextures = 300;
constexpr int MaxCubes = 533;
constexpr int MaxRooms = 10;        // one per cube file
constexpr int MaxMapObjects = 100;  // map-object ids 0..99
constexpr int MaxRoomExits = 4;

// Textures of one animated deco or sprite.
constexpr int MaxObjectFrames = 100;

// Lines of the level and cube files are read up to this many characters.
constexpr int MaxFileLine = 511;

// Face slots of a cube: sides 0..3 (side k from corner k to corner k + 1), the ceiling, the floor.
constexpr int CubeSides = 4;
constexpr int CubeFaces = 6;
constexpr int CeilingSlot = 4;
constexpr int FloorSlot = 5;

// The six-entry blocks of a cube file list the faces in file order; entry i fills this slot.
constexpr int FaceOrder[CubeFaces] = {2, 1, 0, 3, 5, 4};

// A face whose texture index is this is open: not drawn, passable.
constexpr int OpenFace = -1;

// Floor classes, from the exact heights of a cube's bottom corners (16.16 fixed point).
constexpr int32_t DeepFloorY = -13087539;    // -199.7: class 2 when any corner lies there
constexpr int32_t LowFloorY = -11272192;     // -172.0: class 2 when all lie there ...
constexpr int32_t LowFloorMinZ = -44695552;  // ... with z at or above -682.0
constexpr int32_t MiddleFloorY = -4698931;   // -71.7: class 1 when all lie there

// A side whose bottom and top corner k share a vertex gets its normal from a point this far
// above the bottom corner (16.0).
constexpr int32_t SideNormalRaise = 16 << 16;

// Map-object types.
constexpr int Sprite2DType = 0;
constexpr int DoorType = 1;
constexpr int Char3DType = 2;
constexpr int DecoType = 3;

// Door travel directions (a door's state gives the direction an open moves).
constexpr int DoorUp = 0;
constexpr int DoorDown = 1;
constexpr int DoorAgainst = 2;  // sideways against (fx, fz)
constexpr int DoorAlong = 3;    // sideways along (fx, fz)

// Brightness byte of the quads that map objects draw (128 = 1.0).
constexpr int ObjectBrightness = 128;
// Brightness byte of the cube faces (128 = 1.0).
constexpr int FaceBrightness = 128;
// Face flags of a sloped floor or ceiling: tiled, the texture aligned with its first edge.
constexpr uint8_t SlopedFaceFlags = 0x28;
// The renderer's status bit for "something was drawn".
constexpr int DrawnStatus = 0x20;

// Fixed animation sets for SwapTexture (sprites) and SwapDeco (decos): absolute texture
// indices first .. first + frames - 1.
struct AnimationSet {
    int first;
    int frames;
};
constexpr AnimationSet SpriteSwapSets[2] = {{168, 36}, {142, 16}};
constexpr AnimationSet DecoSwapSets[2] = {{57, 36}, {93, 16}};
constexpr int SwapDelay = 15;

// A 3D character's frame is scaled by the world scale times this.
constexpr float Char3DScale = 0.00015f;

// Falling: when the floor drops more than this below the eye (40.0) the player falls,
// dropping FallStep times FallAcceleration per frame.
constexpr int32_t FallThreshold = 2621440;
constexpr int32_t FallAcceleration = 55875;

// The player's distance from walls and door leaves (8.0).
constexpr int32_t WallDistance = 524288;

// The colour a 3D character's frame gives its faces when drawn.
constexpr uint32_t Char3DColour = 255;

// The player's movement: a step is (sin, 0, cos) of its direction times StepScale (just under
// 16.0), a turn TurnStep (5.625 degrees), the diagonal steps an eighth of a turn aside.
constexpr int StepScale = 32;
constexpr int TurnStep = 1024;
constexpr int DiagonalOffset = 8192;
// An open side is passable only into a cube whose textured floor's normal has a height part of
// at least this (0.5), and whose textured ceiling's normal does not point down less steeply.
constexpr int32_t SteepNormalY = 32768;
// A wall or side without neighbour of this cube (in load order) ends the game when met.
constexpr int FatalWallCube = 229;

// The cursor's edge zones, on a 640 x 480 screen whatever the display size: left of
// EdgeZoneLeft and right of EdgeZoneRight the player turns (or steps aside at the corners);
// above EdgeZoneTop and below EdgeZoneBottom it steps forward and back.
constexpr int EdgeZoneLeft = 80;
constexpr int EdgeZoneRight = 560;
constexpr int EdgeZoneTop = 60;
constexpr int EdgeZoneBottom = 420;
