// Thinning and smoothing of a planned path.
#pragma once

#include "planner/plan_grid.h"

// Keeps the start, the goal and the points where the step between points changes.
void DropCollinearPoints(RobotPath& path);
// Replaces each stretch whose row and column directions do not reverse by its farthest points
// in line of sight of each other.
void SmoothPathLineOfSight(const PlanGrid& grid, RobotPath& path);
// True when no obstacle lies on the straight line from a towards b (b itself is not tested).
bool LineOfSight(const PlanGrid& grid, GridCell a, GridCell b);
