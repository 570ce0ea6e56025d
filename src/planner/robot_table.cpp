// The planner's bodies.
#include "planner/robot_table.h"

RobotRecord RobotTable[BODY_COUNT];
