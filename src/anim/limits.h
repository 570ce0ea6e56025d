// Tables and limits of the scene animation.
#pragma once
#include <cstddef>
#include <cstdint>

// GIF texture reader.
inline constexpr int kGifPaletteEntries = 256;
inline constexpr int kGifMaxCodeBits = 12;                      // LZW codes are at most 12 bits
inline constexpr int kGifCodeTableSize = 1 << kGifMaxCodeBits;  // 4096 prefix/suffix entries
inline constexpr int kGifMaxMinCodeSize = kGifMaxCodeBits - 1;  // so the first codes fit 12 bits
// Pixel block cap, a 4096 x 4096 screen: the texture made from the block keeps two more copies
// at 4 bytes a pixel.
inline constexpr std::size_t kGifMaxImageBytes = std::size_t{16} << 20;
// A decoder message.
inline constexpr int kGifMessageSize = 128;
// The text of a box that names a damaged file: a message and the file's name.
inline constexpr int kFaultBoxSize = 512;

// Motion links: node 0 is the root; nodes 1 to 510 can be given out.
inline constexpr int kMaxMotionLinks = 512;
// Motion-table rows: rows 0 to 30 through motion files, 0 to 31 through animated objects.
inline constexpr int kMaxMotionRows = 32;
// Hierarchy levels: entry L of a level stack is the node or part last made at level L.
inline constexpr int kMaxMotionLevels = 16;
inline constexpr int kDeepestMotionLevel = kMaxMotionLevels - 1;
// The shared buffer of motion and path key blocks.
inline constexpr int kKeyFrameBufferSize = 64000;
// Names of links, materials and paths: 15 characters and a NUL.
inline constexpr int kAnimNameSize = 16;

// Animation objects and their special kinds.
inline constexpr int kMaxAnimObjects = 32;
inline constexpr int kSoundFrameCount = 8;
inline constexpr int kSpecialDoorFrames = 160;

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
inline constexpr int kSpecialDoors = 1;
inline constexpr int kSpecialSoundFrames = 2;

// Parts, materials and the mesh being gathered.
inline constexpr int kMaxParts = 256;           // parts 0 to 254
inline constexpr int kMaxMaterials = 64;        // entry 0 is "no material"; named ones 1 to 62
inline constexpr int kMeshBufferEntries = 640;  // a mesh statement holds fewer entries than this

// Paths.
inline constexpr int kMaxPaths = 8;
inline constexpr int kMaxPathMotions = 8;

// Motion files: the encoded statement being gathered.
inline constexpr int kMotionStatementBufferSize = 10240;
// Numbers of one parsed statement, as the script parser keeps them, and so the most keys one
// key block can hold (four numbers a position key).
inline constexpr int kMaxNumbersPerStatement = 640;
inline constexpr int kMaxKeysPerBlock = kMaxNumbersPerStatement / 4;

// Scene lights: room for 16, of which 15 can be made.
inline constexpr int kMaxSceneLights = 16;
inline constexpr int kUsableSceneLights = kMaxSceneLights - 1;
inline constexpr int kDirectionalLight = 1;
inline constexpr int kAmbientLight = 2;
// A colour ramp's frames, as an animation object counts them.
inline constexpr int kMaxRampFrames = 32767;

// Hot spots and their markers: eight-sided cones whose base lies half a unit below the point.
inline constexpr int kMaxHotSpots = 32;
inline constexpr int kMaxHotSpotNumbers = 10;  // the numbers an LHS statement may give
inline constexpr int kCameraHotSpot = 2;       // the camera triggers it
inline constexpr int kPlatformHotSpot = 4;     // the camera triggers it and it lifts characters
inline constexpr int kNoArrival = -1;          // a hot spot's object before anything arrives
inline constexpr int kCameraArrival = -99;     // the camera is on its way or has arrived
inline constexpr int kMarkerSides = 8;
inline constexpr float kMarkerDrop = 0.5f;

// Ways of sending something to a hot spot.
inline constexpr int kWalkToHotSpot = 1;
inline constexpr int kJumpToHotSpot = 2;
inline constexpr int kRobotToHotSpot = 3;
inline constexpr int kCameraToHotSpot = 4;
inline constexpr int kCameraJumpToHotSpot = 5;
// Modes of the hot-spot check.
inline constexpr int kHotSpotObject = 1;
inline constexpr int kHotSpotCameraCheck = 2;
inline constexpr int kHotSpotNothing = 3;

// Movers: one channel per character (its animation object), the last one the camera's.
inline constexpr int kMoverChannels = 8;
inline constexpr int kCameraChannel = 7;
inline constexpr int kMoverCharacter = 6;  // a channel's kind while it carries a character
inline constexpr int kMoverCamera = 7;     // ... and while it carries the camera
// Frames a move may last: its counter must pass its frame count without overflowing.
inline constexpr int kMaxMoveFrames = 32766;
// The jump's arc: half the pull of gravity in world units per time unit squared, and the
// frames a time unit lasts.
inline constexpr double kHalfGravity = 16.07;
inline constexpr double kJumpFramesPerUnit = 7.0;
// Degrees to radians as the movers and turning commands reckon it.
inline constexpr double kDegreesToRadians = 0.01745;
// A heading the camera placement leaves unchanged.
inline constexpr float kKeepHeading = -1000.0f;
