// Tables and limits of the scene animation.
#pragma once
#include <cstddef>
#include <cstdint>

// GIF texture reader.
inline constexpr int kGifPaletteEntries = 256;
inline constexpr int kGifMaxCodeBits = 12;                     // LZW codes are at most 12 bits
inline constexpr int kGifCodeTableSize = 1 << kGifMaxCodeBits;  // 4096 prefix/suffix entries
inline constexpr int kGifMaxMinCodeSize = kGifMaxCodeBits - 1;  // so the first codes fit 12 bits
// Pixel block cap, a 4096 x 4096 screen: the texture made from the block keeps two more copies
// at 4 bytes a pixel.
inline constexpr std::size_t kGifMaxImageBytes = std::size_t{16} << 20;

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
inline constexpr int kMaxParts = 256;         // parts 0 to 254
inline constexpr int kMaxMaterials = 64;      // entry 0 is "no material"; named ones 1 to 62
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
