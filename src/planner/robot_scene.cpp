// The scene the robots drive.
#include "planner/robot_scene.h"

namespace {

RobotScene* Scene = nullptr;

}  // namespace

void SetRobotScene(RobotScene* scene) { Scene = scene; }
RobotScene* CurrentRobotScene() { return Scene; }
