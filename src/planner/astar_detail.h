// The A* search as architectures without the x86-64 vector code make it, its neighbours tested a
// move at a time: built on every architecture, so that the tests compare it with PlanPath.
#pragma once
#include <cstdint>

#include "planner/plan_grid.h"

// PlanPath (astar.h), with the neighbour test that does not use vector instructions.
int PlanPathMoveByMove(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved);
