// The two special kinds of animation object: a pair of doors moved along fixed tables, and
// sounds played at given frames.
#pragma once
#include <cstdint>

#include "anim/limits.h"

struct SoundFrame {
    int32_t frame;
    int32_t slot;  // -1: none
};

extern SoundFrame SoundFrameTable[SoundFrameCount];
extern const float SpecialDoorPathA[SpecialDoorFrames];
extern const float SpecialDoorPathB[SpecialDoorFrames];

// The special door animation (mode 1: two door ids and a frame count) or another mode; the
// entry's index, or -1 when no entry could be had.
int SpecialAnim(int mode, int count, const int* items);
// Frames at which the sound slots set by SetSoundHandle play; 1, or 0 when no entry could be had.
int SetSoundFrame(const int* frames);  // eight frames
int SetSoundHandle(const int* slots);  // eight sound slots

// The specials' steps.
void StepSpecialDoors(int doorA, int doorB, int frame);
void PlaySoundFrames(int frame);
