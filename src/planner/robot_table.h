// The planner's bodies: the two robots, which plan their routes and drive along them, and the
// player, who only ever stands in their way. The body number is the index in RobotTable.
#pragma once
#include <cstdint>

#include "planner/plan_grid.h"

constexpr int ROBOT_COUNT = 2;  // bodies 0 and 1 are robots
constexpr int PLAYER_BODY = 2;  // body 2 is the player
constexpr int BODY_COUNT = 3;

// One body of the planner; planStatus holds the search's results (PLAN_FOUND, PLAN_PENDING,
// PLAN_NO_PATH).
struct RobotRecord {
    PlanGrid grid;             // the body's own grid and search state
    int32_t planStatus = 1;    // 1 path found (or idle), 0 search pending, -1 no path
    RobotPath path;            // start cell first, goal cell last
    int32_t waypoint = 0;      // the path point being driven to
    int32_t motionDone = 1;    // 1 when the last move has run out its frames
    int32_t arrived = 1;       // 1 at the goal, or without one
    int32_t blocker = 0;       // body predicted to collide, -1 none
    int32_t waitCycles = 0;    // cycles left to wait; 1: check again in this cycle
    int32_t motionFrames = 0;  // cycles left of the move in progress
    float goalX = 0.0f, goalZ = 0.0f;
    float startX = 0.0f, startZ = 0.0f;  // where the robot stood when the goal was set
    float heading = 0.0f;  // degrees, as last handed to a move: 0 faces -z, 90 faces +x
    float poseX = 0.0f, poseZ = 0.0f, poseY = 0.0f;  // the base frame's translation at map load
    float speed = 0.0f;                              // world units per cycle
    float velX = 0.0f, velZ = 0.0f;
    float radius = 0.0f;
    float lookAhead = 0.0f;  // collision look-ahead, cycles
    int32_t actor = 0;       // the motion row of the character the robot drives
    // Where the body was last seen; kept while its character has no frame to read.
    float lastX = 0.0f, lastZ = 0.0f;
};

extern RobotRecord RobotTable[BODY_COUNT];
