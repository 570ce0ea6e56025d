// The motion table, the tree of named motion links and the shared key-frame buffer.
//
// A 3D character is a hierarchy of parts; a tree of motion links mirrors it, one link per part.
// Each motion of a character is one row of the motion table: a rotation-key block per link,
// stored in the key-frame buffer and played one frame per main-loop round. Paths keep their key
// blocks in the same buffer.
#pragma once
#include <cstdint>

#include "anim/limits.h"

struct MotionLinkNode {
    MotionLinkNode* parent;
    MotionLinkNode* nextSibling;
    MotionLinkNode* firstChild;
    char name[AnimNameSize];
    int32_t keyOffset;  // the link's rotation-key block in the key-frame buffer
    int16_t part;       // the part this link turns
    int16_t index;      // the node's own index
    int16_t keyCount;   // 0: no keys
    float current[4];   // the rotation last applied (s, x, y, z)
};

struct MotionTableEntry {
    int16_t firstLink;    // the row's top link
    int16_t frameCount;   // the largest key time of the row's keys
    int16_t frame;        // the frame being played
    int16_t active;       // 1 while the motion plays
    int16_t loopMode;     // 0 (or less) repeats for ever; above 0 counts passes
    int16_t loopCounter;  // passes counted
    int16_t loopTarget;   // pass count at which the motion ends
    int16_t animObj;      // the animation object of the character the row moves
    int32_t blendOn;      // blends from the previous motion: nothing starts one
    int32_t blendFrame;
    int32_t blendLength;
    float extraOrientation[4];  // (s, x, y, z) applied to the top part when s is not 0
    int16_t applyMode;          // 0 replaces the top part's rotation, 1 combines before it
};

extern MotionLinkNode MotionLink[MaxMotionLinks];
extern int NextMotionLink;
extern int CurrentMotionLink;  // the link that key statements fill; -1 none
extern int MotionLevel;        // the hierarchy level of the statement in hand
extern int MotionLevelStack[MaxMotionLevels];

extern MotionTableEntry MotionTable[MaxMotionRows];
extern int MotionCount;         // rows in use
extern int CurrentMotion;       // the row being loaded or played
extern int MotionFirstLink;     // where FindMotionLink starts: the current motion's first link
extern int CurrentMotionFrame;  // the frame whose keys are applied
extern int PreviousMotion;      // the row a character played before its last SetAnim

extern uint8_t KeyFrameBuffer[KeyFrameBufferSize];
extern int KeyWriteOffset;

// Link operations of MotionLinkTreeOp.
inline constexpr int LinkClear = 0;
inline constexpr int LinkAttach = 5;
// Walk operations of WalkMotionTree.
inline constexpr int WalkApplyKeys = 8;
inline constexpr int WalkRelease = 10;
// Path key block types.
inline constexpr int PathPositionKeys = 1;
inline constexpr int PathRotationKeys = 2;

// Empties the link tree and the table (once at start-up).
void ResetMotionLinks();

// The level a statement of the motion files stands at, from the brace depth, kept inside the
// level stack (unbalanced braces cannot leave it); a level deeper than the stack is reported.
int MotionLevelFromBraces(int braceDepth);

// The next link, named `name`, for the current part, under the link last made one level up.
// It becomes the current link. Index, or -1 when the links are used up (reported).
int AddMotionLink(const char* name);

// A row for a further motion of the loaded object whose top link is named `name`; its links
// then drive that object's parts in order. The row, or -1 (reported).
int AddMotionTableEntry(const char* name);

// The link named `name` among the current motion's links, or -1.
int FindMotionLink(const char* name);

// 1 when `row` is a row that was accepted and set up.
bool MotionRowUsable(int row);
// 1 when link `link` was given out and set up.
bool MotionLinkUsable(int link);

// Turns a row's top part about the vertical axis: its extra orientation becomes that yaw.
void SetMotionYaw(int row, float radians);

// Key blocks: the numbers taken five at a time (time, s, x, y, z) for a link's rotations, or
// five (rotation) or four (time, x, y, z: position) at a time for the current path.
void StoreMotionKeys(int link, const float* numbers, int n);
void StorePathKeys(int path, const float* numbers, int n, int type);

// Releases the link trees of rows `from` on and empties the links, parts and key buffer.
// 0 when `from` is above the row count.
int TruncateMotionTable(int from);

// Op 0: clear node's pointers (only when `other` is null). Op 5: attach node as the last child
// of `other`.
void MotionLinkTreeOp(int op, MotionLinkNode* node, MotionLinkNode* other);
