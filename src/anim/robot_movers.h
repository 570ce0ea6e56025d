// The scene the robot planner drives: where the robots' characters stand, and the turning mover
// that carries a character along one leg of its route.
#pragma once

class RobotScene;

// The one scene over the movers, for the planner's SetRobotScene.
RobotScene* MoverRobotScene();
