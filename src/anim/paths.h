// Paths: key-framed tracks of rotations and positions read from path files, along which
// animated objects (or the camera) are carried. Their key blocks live in the key-frame buffer.
#pragma once
#include <cstdint>

#include "anim/limits.h"

struct PathRecord {
    char name[AnimNameSize];
    int16_t motions[MaxPathMotions];  // motion-table rows attached to the path
    float base[3];                    // world units added to the path's positions
    float baseSet;                    // 1.0 once `base` is set
    int32_t keyOffset;                // the path's first key block
    int16_t frameCount;               // the largest key time of the path
    int16_t frame;
    int16_t rotCount;
    int16_t posCount;
    int16_t motionCount;
    int16_t currentMotion;
};

extern PathRecord Path[MaxPaths];
extern int PathCount;    // paths loaded
extern int CurrentPath;  // the record the next path file fills
extern int PathMaxTime;  // the largest key time read so far from the path file in hand

// Readies the record the next path file fills; 0 when every path is in use (reported).
int BeginPath();

// The frame count of a loaded path; -1 when `path` names none.
int PathFrameCount(int path);

// Finishes the record in hand under `name` and moves on to the next; 1.
int FinishPath(const char* name);
