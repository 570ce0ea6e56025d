// Reading key blocks back, interpolating rotations and playing one frame of a motion.
#pragma once
#include <cstdint>

#include "anim/limits.h"
#include "anim/motion_table.h"

// Sizes of the blocks: a motion block holds its count, the times and four floats a key; a path
// block its count, its type, the times and four (rotation) or three (position) floats a key.
constexpr int MotionKeyBlockSize(int keys) { return 2 + 18 * keys; }
constexpr int PathKeyBlockSize(int keys, int type) {
    return 4 + (type == PathRotationKeys ? 18 : 14) * keys;
}

// Values of the key buffer, little-endian and unaligned; 0 outside what has been written.
int16_t KeyInt16(int offset);
float KeyFloat(int offset);

// The count of the block at `offset` and up to `maxTimes` of its times; the block's key count,
// 0 when the offset holds no whole block.
int ReadKeyTimes(int offset, int16_t* times, int maxTimes);

// Spherical interpolation from q1 (t = 0) to q2 (t = 1); quaternions as (s, x, y, z).
void QuaternionSlerp(const float q1[4], const float q2[4], float t, float out[4]);

// The rotation of a link at a frame: the exact key, the interpolation between the keys around
// the frame, or the first or last key outside their range. `applied` is 0 for a link without keys.
void InterpolateMotionKey(int link, int frame, int16_t* times, float out[4], int& applied);

// Turns the link's part to its keys at the frame and keeps the rotation as the link's current.
void ApplyLinkRotation(int link, int frame);

// Depth-first over a link and its children and later siblings: apply the keys of the current
// frame, or release the parts.
void WalkMotionTree(MotionLinkNode* node, int op);

// The walk of a row's tree from its top link, at the top level whatever level the last file
// statement left.
void WalkFromTop(MotionLinkNode* node, int op);

// One frame of motion-table row `row`: every link turned to its keys, the extra orientation
// applied to the top part, the frame advanced; at the end of a pass the loop rule runs (counted
// passes end the motion and raise "Motion"). A row of frame count 0 holds frame 0 and ends no pass.
void PlayMotionFrame(int row);
