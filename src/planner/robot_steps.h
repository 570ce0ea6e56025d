// The steps of a planner cycle for one robot.
#pragma once

// The heading (degrees) from where the robot stands to its current waypoint.
float HeadingToWaypoint(int robot);

// The two halves of the robot's cycle.
void StepRobot(int robot);
void PlanRobot(int robot);

// Marks or clears another body's footprint on the robot's grid, as temporary obstacles.
void MarkBlockerFootprint(int robot, int other);
void ClearBlockerFootprint(int robot, int other);
