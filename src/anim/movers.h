// Movers carry a 3D character or the camera from one point to another over a number of frames:
// in a straight line at a given speed, in a straight line while turning to a new heading, or in a
// ballistic jump. Each runs through an animation object (straight, jump, turning) stepped once a
// frame; a character keeps playing its own motion meanwhile. At the end the character goes back
// to its motion and the script hears of it: the follow-up state of the character, or the
// "HotSpot" event for the camera.
#pragma once
#include <cstdint>

#include "anim/limits.h"

struct MoverChannelRecord {
    float start[3];   // world units
    float target[3];  // jump only
    float
        step[3];  // straight moves: per-frame change; jump: sin(heading), per-frame y, cos(heading)
    float launchAngle;  // jump, radians
    float heading;      // jump: direction of flight in the x/z plane, radians
    float speed;        // jump: launch speed
    int16_t frameCount;
    int16_t frame;
    int16_t kind;                // MoverCharacter or MoverCamera; any other value: idle
    int16_t row;                 // the character's motion row, -1 for the camera
    int16_t targetHotSpot = -1;  // where the move goes, -1 none
    float turnHeading;           // turning move: current heading, degrees
    float turnStep;              // degrees a frame, 0 for no turn
    int32_t turnFrames;          // frames over which the heading turns
    int32_t notify;              // turning move: 1 tells the script at the end
    float floor;                 // turning move: the floor height last found under the character
};

extern MoverChannelRecord MoverChannel[MoverChannels];
extern int CurrentMoverChannel;  // the channel being stepped
// The animation object of the camera's moves; -1 before the first.
extern int CameraMoverEntry;

// Starts a move of motion row `row` (-1: the camera) from `from` to `to` (world units) at
// `speed` units a frame. The channel, or -1 when the distance or the speed is not above 0, or the
// row has no channel. The object advances `speed` a frame and stops short of the target by less
// than one step: a move shorter than one step places its start only.
int StartLineMove(int row, const float from[3], const float to[3], float speed);
// The same for a character, turning it from `startHeading` to `endHeading` (degrees) the shorter
// way round over at most `turnFrames` frames; `notify` 1 tells the script at the end.
int StartLineTurnMove(int row, const float from[3], const float to[3], float speed,
                      float startHeading, float endHeading, int turnFrames, int notify);
// A ballistic jump launched at `angleDegrees` above the horizontal; -1 when the distance is not
// above 0 or no finite, positive flight time comes of the angle.
int StartJumpMove(int row, const float from[3], const float to[3], float angleDegrees);

// One frame of the move on the channel.
void StepLineMove(int channel);
void StepTurnMove(int channel);
void StepJumpMove(int channel);

// The camera's own animation object for a move of type `type` (straight or jump) lasting
// `frames`: the one it had when it is still there and free or the camera's, else a new one.
// 1, or 0 when the table is full.
int AddCameraMoverObject(int frames, int type);

// The floor height (world units) under (x, z), raised by the platform there. `floor` is the
// floor last found: updated where a cube holds the point, kept where none does.
float KeepOnFloor(float x, float z, float& floor);
// 1 and the first platform hot spot whose diamond |dx| + |dz| <= radius holds the point; else 0.
int FindPlatformHotSpot(float x, float z, int* out);
float ManhattanDistanceXZ(float x1, float z1, float x2, float z2);

// The motion row the channel moves; -1 for the camera or a channel that moves nothing.
int MoverChannelRow(int channel);
// Tells the channel that it moves nothing any more.
void StopMoverChannel(int channel);
// Ends the channel's move before its last frame, its animation object taken over: the channel
// stands at frame 0, a jumping row is no longer combined with its turn, and the eye follows the
// floors again after a camera move.
void BreakOffMove(int channel);

// Turns motion row `row` to a heading about the vertical axis (degrees): its extra orientation
// becomes that rotation. Kind 6 only; 1, else 0.
int RotateMotionObj(int kind, int row, int a, float yawDegrees, int b);
