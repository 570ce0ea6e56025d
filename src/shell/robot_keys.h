// The robots' debug keys, working while the planner's settings switch them on.
#pragma once
#include <cstdint>

#include "shell/limits.h"

// The robots' debug entry: the state (DebugIdle ... DebugHotSpotNumber), the robot chosen and
// the numbers typed so far.
extern int32_t DebugEntryState;
extern int32_t DebugRobot;
extern int32_t DebugTextLength;
extern char DebugTextX[DebugTextSize];  // the first number, or the hot-spot number
extern char DebugTextZ[DebugTextSize];  // the second number

// A key for the robots' debug entry, while the planner switches it on: 1 when the key was taken.
int HandleRobotDebugKey(int key);
// Sends a robot to a world point, or to a hot spot as its own character; the planner's result.
int RobotDebugSendTo(int robot, float x, float z);
int RobotDebugSendToHotSpot(int robot, int n);
