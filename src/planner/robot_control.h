// The robots' driver: the planner's map and settings, the goals given by the script and the debug
// keys, and the planner cycle run once per pass of the main loop.
#pragma once

// Seeds the random generator, reads the planner configuration and fills both robots' grids from
// its map file, or from the map named last when it names none. 1.
int LoadPlanningMap(const char* configPath);

// New goals (world x, z) for robot 0 or 1. The debug keys drive the robot's own character (motion
// row robot + 4); a hot spot names the character and its speed. 1 when the goal is taken, -1
// when it is refused: no such robot, no map loaded yet, or a goal off the map (reported).
int SendRobotTo(int robot, float x, float z);
int SendRobotToWithSpeed(int robot, int actor, float x, float z, float speed);
// Plans again from where the robot stands to its stored goal.
void ReplanRobot(int robot);

// One planner cycle: robot 0 stepped and planned, then robot 1.
void RobotPlannerTick();

// At start-up, after the start script: the debug-key switch becomes 1 when it is exactly 1 and
// 0 otherwise.
void NormalizeDebugKeys();
// Whether the robot debug keys work.
bool RobotDebugKeysOn();

// The level reset: both robots stand idle, with no goal, move, wait or blocker.
void IdleRobots();
