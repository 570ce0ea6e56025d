// Steps of the animation-object kinds whose owners have not landed yet: the path motion, the
// camera path, the light ramp and the three movers, with what the table needs of the movers'
// channels. Each (but the camera path's) is defined in pending_steps.cpp as a call that does
// nothing; whoever lands the real one deletes its definition there (and its declaration here
// once their own header has it).
#pragma once

// Path motion: one frame of path `path` for the entry in hand; 1 when a frame was placed.
int StepPathMotion(int path);
// Camera path: one frame of the camera along path `path`; 1 when a frame was placed. The script
// engine's camera commands define it.
int StepCameraPath(int path);
// Light ramp: one frame of the colour ramp of scene light `light`.
void StepLightAnim(int light);
// Movers: one frame of the move on channel `channel`.
void StepLineMove(int channel);
void StepJumpMove(int channel);
void StepTurnMove(int channel);

// The mover channel being stepped.
extern int CurrentMoverChannel;
// The motion row that mover channel `channel` moves; -1 for the camera or a channel that moves
// nothing (or does not exist).
int MoverChannelRow(int channel);
// Tells channel `channel` that it moves nothing any more.
void StopMoverChannel(int channel);
