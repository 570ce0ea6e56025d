// Tables and limits of the scene animation.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/limits.h"

// GIF texture reader.
inline constexpr int GifPaletteEntries = 256;
inline constexpr int GifMaxCodeBits = 12;                     // LZW codes are at most 12 bits
inline constexpr int GifCodeTableSize = 1 << GifMaxCodeBits;  // 4096 prefix/suffix entries
inline constexpr int GifMaxMinCodeSize = GifMaxCodeBits - 1;  // so the first codes fit 12 bits
// Pixel block cap, the picture readers' limit (a 4096 x 4096 screen): the texture made from the
// block keeps two more copies at 4 bytes a pixel.
inline constexpr std::size_t GifMaxImageBytes = platform::MaxPicturePixels;
// A decoder message.
inline constexpr int GifMessageSize = 128;
// The text of a box that names a file.
inline constexpr int FaultBoxSize = 512;

// Motion links: node 0 is the root; nodes 1 to 510 can be given out.
inline constexpr int MaxMotionLinks = 512;
// Motion-table rows: rows 0 to 30 through motion files, 0 to 31 through animated objects.
inline constexpr int MaxMotionRows = 32;
// Hierarchy levels: entry L of a level stack is the node or part last made at level L.
inline constexpr int MaxMotionLevels = 16;
inline constexpr int DeepestMotionLevel = MaxMotionLevels - 1;
// The shared buffer of motion and path key blocks.
inline constexpr int KeyFrameBufferSize = 64000;
// Names of links, materials and paths: 15 characters and a NUL.
inline constexpr int AnimNameSize = 16;

// Animation objects and their special kinds.
inline constexpr int MaxAnimObjects = 32;
inline constexpr int SoundFrameCount = 8;
inline constexpr int SpecialDoorFrames = 160;

// Kinds of animation object.
enum AnimObjType : int16_t {
    AnimFree = -1,
    AnimPathMotion = 5,
    AnimCharacterMotion = 6,
    AnimCameraPath = 7,
    AnimLightRamp = 8,
    AnimSpecial = 10,
    AnimStraightMove = 11,
    AnimJump = 12,
    AnimTurnMove = 13,
};
// Modes of the special kind.
inline constexpr int SpecialDoors = 1;
inline constexpr int SpecialSoundFrames = 2;

// Parts, materials and the mesh being gathered.
inline constexpr int MaxParts = 256;           // parts 0 to 254
inline constexpr int MaxMaterials = 64;        // entry 0 is "no material"; named ones 1 to 62
inline constexpr int MeshBufferEntries = 640;  // a mesh statement holds fewer entries than this

// Paths.
inline constexpr int MaxPaths = 8;
inline constexpr int MaxPathMotions = 8;

// Motion files: the encoded statement being gathered.
inline constexpr int MotionStatementBufferSize = 10240;
// Numbers of one parsed statement, as the script parser keeps them, and so the most keys one
// key block can hold (four numbers a position key).
inline constexpr int MaxNumbersPerStatement = 640;
inline constexpr int MaxKeysPerBlock = MaxNumbersPerStatement / 4;

// Scene lights: room for 16, of which 15 can be made.
inline constexpr int MaxSceneLights = 16;
inline constexpr int UsableSceneLights = MaxSceneLights - 1;
inline constexpr int DirectionalLightType = 1;
inline constexpr int AmbientLightType = 2;
// A colour ramp's frames, as an animation object counts them.
inline constexpr int MaxRampFrames = 32767;

// Hot spots and their markers: eight-sided cones whose base lies half a unit below the point.
inline constexpr int MaxHotSpots = 32;
inline constexpr int MaxHotSpotNumbers = 10;  // the numbers an LHS statement may give
inline constexpr int CameraHotSpot = 2;       // the camera triggers it
inline constexpr int PlatformHotSpot = 4;     // the camera triggers it and it lifts characters
inline constexpr int NoArrival = -1;          // a hot spot's object before anything arrives
inline constexpr int CameraArrival = -99;     // the camera is on its way or has arrived
inline constexpr int MarkerSides = 8;
inline constexpr float MarkerDrop = 0.5f;

// Ways of sending something to a hot spot.
inline constexpr int WalkToHotSpot = 1;
inline constexpr int JumpToHotSpot = 2;
inline constexpr int RobotToHotSpot = 3;
inline constexpr int CameraToHotSpot = 4;
inline constexpr int CameraJumpToHotSpot = 5;
// Modes of the hot-spot check.
inline constexpr int HotSpotObject = 1;
inline constexpr int HotSpotCameraCheck = 2;
inline constexpr int HotSpotNothing = 3;

// Movers: one channel per character (its animation object), the last one the camera's.
inline constexpr int MoverChannels = 8;
inline constexpr int CameraChannel = 7;
inline constexpr int MoverCharacter = 6;  // a channel's kind while it carries a character
inline constexpr int MoverCamera = 7;     // ... and while it carries the camera
// Frames a move may last: its counter must pass its frame count without overflowing.
inline constexpr int MaxMoveFrames = 32766;
// The jump's arc: half the pull of gravity in world units per time unit squared, and the
// frames a time unit lasts.
inline constexpr double HalfGravity = 16.07;
inline constexpr double JumpFramesPerUnit = 7.0;
// Degrees to radians as the movers and turning commands reckon it.
inline constexpr double DegreesToRadians = 0.01745;
// A heading the camera placement leaves unchanged.
inline constexpr float KeepHeading = -1000.0f;
