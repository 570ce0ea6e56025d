// Stand-ins, each doing nothing, for steps that land with the movers, paths and scene lights.
// Delete each definition when its real one lands.
#include "anim/pending_steps.h"

int StepPathMotion(int) { return 0; }
void StepLightAnim(int) {}
void StepLineMove(int) {}
void StepJumpMove(int) {}
void StepTurnMove(int) {}

int CurrentMoverChannel = 0;
int MoverChannelRow(int) { return -1; }
void StopMoverChannel(int) {}
