// The animation objects: one table of everything that moves in the scene on its own (a
// character's key-framed motion, path motions, the camera path, light ramps, the special door
// and sound animations, the movers), stepped once a frame.
#pragma once
#include <cstdint>

#include "anim/limits.h"

class Char3DObject;

struct AnimObject {
    float heightOffset;  // the character's height above the floor it stands on (world units)
    int16_t type;        // AnimObjType
    int16_t row;         // motion row (6), light (8), first door or 1 (10, -1 once finished)
    int16_t frameCount;
    int16_t frame;
    int16_t arg;       // path (5, 7), mover channel (11-13), second door (10), else -1
    int16_t followUp;  // state triggered when a move or path pass ends; the mode of a special
    Char3DObject* character;  // the map object of a character entry
};

extern AnimObject AnimObj[MaxAnimObjects];
extern int AnimObjCount;    // entries 0 to count - 1 are in use
extern int CurrentAnimObj;  // the entry in hand

// A new cleared entry at the count; -1 when the table is full (reported, nothing written).
int NewAnimEntry();

// Adds or takes over an entry, by type: 6 a new entry (and its character) for motion row
// `index`; 5 the entry of the character first on path `index`; 7 a new entry for camera path
// `index`; 8 the entry in hand when free, else a new one, for light `index`; 11, 12, 13 the
// entry of the character that mover channel `index` moves; 10 turns entry `index` into a
// special with argument `value`. The entry gets the frame count and frame 0 and is the one in
// hand. 1, or 0 when refused.
int AddAnimObject(int index, int frames, int type, int value);

// Switches `entry` to play motion row `row`, counting `loops` passes when above 0, whatever the
// entry did before: a path motion or a move in progress ends where it stands. 1, or 0 (nothing
// done) when the entry or the row does not exist.
int SetAnim(int entry, int row, int loops);

// Counts the table back to n entries and empties the paths; 1.
int ResetAnimObjects(int n);

// Once a frame: every entry's step by its type.
void UpdateAnimObjects();
