// The A* search over a planner grid, eight-connected without cutting corners, run in time
// slices: each call searches until its budget of milliseconds is spent and the next call goes on
// where it stopped. A found route is read back into the robot's path and, on request, thinned
// and smoothed.
#pragma once
#include <cstdint>

#include "planner/plan_grid.h"

constexpr int PLAN_FOUND = 1;
constexpr int PLAN_PENDING = 0;  // the budget was spent: call again
constexpr int PLAN_NO_PATH = -1;

// Searches from grid.start to grid.goal; a new search begins when grid.searchStarted is 0.
// improved >= 1 drops collinear points, >= 2 also smooths by line of sight. A start or goal
// outside the grid, an open list or a path that would outgrow its room give PLAN_NO_PATH; the
// path then has no points.
int PlanPath(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved);
