// Loading the planner's map and settings, giving the robots their goals, and the planner cycle
// of each pass.
#include "planner/robot_control.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "planner/limits.h"
#include "planner/messages.h"
#include "planner/plan_config.h"
#include "planner/plan_map.h"
#include "planner/robot_bodies.h"
#include "planner/robot_steps.h"
#include "planner/robot_table.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/random.h"

namespace {

bool IsRobot(int robot) { return robot >= 0 && robot < ROBOT_COUNT; }

// A goal is taken only on a loaded map and inside it.
bool GoalOnMap(int robot, float x, float z) {
    const PlanGrid& g = RobotTable[robot].grid;
    if (!g.cells) return false;
    const GridCell c = WorldToCell(g, x, z);
    if (CellInGrid(g, c.row, c.col)) return true;
    char text[160];
    std::snprintf(text, sizeof text, planner_messages::GOAL_OFF_MAP, robot, x, z);
    platform::MessageBox(text, planner_messages::ERROR_CAPTION);
    return false;
}

// Starts a new search from where the robot stands; the next cycles run it.
void ResetGoal(int robot, float goalX, float goalZ, bool newGoal) {
    RobotRecord& r = RobotTable[robot];
    const BodyPosition p = GetBodyPosition(robot);
    r.path.count = 0;
    if (newGoal) {
        r.goalX = goalX;
        r.goalZ = goalZ;
        r.blocker = -1;
    }
    r.startX = p.x;
    r.startZ = p.z;
    r.waitCycles = 0;
    r.motionFrames = 0;
    r.planStatus = 0;
    r.arrived = 0;
    r.waypoint = 0;
    r.motionDone = 1;
    r.grid.searchStarted = 0;
    ResetPlanGrid(r.grid);
    const GridCell s = WorldToCell(r.grid, p.x, p.z);
    const GridCell g = WorldToCell(r.grid, r.goalX, r.goalZ);
    r.grid.start = {0.0, s.row, s.col};
    r.grid.goal = {0.0, g.row, g.col};
    r.grid.current = r.grid.start;
}

// Every body's settings from the configuration.
void SetBodySettings(RobotRecord& r, float speed) {
    r.heading = 0.0f;
    r.lookAhead = static_cast<float>(PlanSettings.allRobotsLookAhead);
    r.radius = static_cast<float>(PlanSettings.defaultRobotRadius);
    r.speed = speed;
}

}  // namespace

int LoadPlanningMap(const char* configPath) {
    platform::SRand(static_cast<unsigned>(platform::WallSeconds()));
    const std::string config = configPath ? configPath : "";
    // A configuration that names no map reads again the map named last; before any map has
    // been named, the grids stay as they are.
    if (!ReadPlanConfig(config, PlanSettings)) {
        ReportPlanFileError(planner_messages::CONFIG_FILE_BAD, config);
    }
    // Every unusable setting is read as missing, and all of them are named in one box.
    const std::vector<const char*> unusable = ClearUnusableSettings(PlanSettings);
    if (!unusable.empty()) {
        std::string names = unusable[0];
        for (std::size_t i = 1; i < unusable.size(); ++i) names += std::string(", ") + unusable[i];
        ReportPlanFileError(unusable.size() == 1 ? planner_messages::CONFIG_VALUE_BAD
                                                 : planner_messages::CONFIG_VALUES_BAD,
                            config, names);
    }
    // Each robot reads the map into its own grid; a map that fails is reported once, and the
    // later robots keep their grids as the first one does.
    bool mapRead = !PlanSettings.mapFileName.empty();
    for (int robot = 0; robot < ROBOT_COUNT; ++robot) {
        RobotRecord& r = RobotTable[robot];
        // The map file's own cell size replaces the configured one; a map that cannot be read
        // leaves the grid, and its cell size, as they were.
        const double oldCellSize = r.grid.cellSize;
        r.grid.cellSize = PlanSettings.metersPerCell;
        SetBodySettings(r, static_cast<float>(PlanSettings.defaultRobotSpeed));
        mapRead = mapRead && ReadPlanMap(PlanSettings.mapFileName, r.grid);
        if (!mapRead) r.grid.cellSize = oldCellSize;
        ReadRobotPose(robot);
    }
    SetBodySettings(RobotTable[PLAYER_BODY], 0.0f);
    return 1;
}

int SendRobotTo(int robot, float x, float z) {
    if (!IsRobot(robot) || !GoalOnMap(robot, x, z)) return -1;
    RobotTable[robot].actor = robot + planner_limits::ROBOT_DEBUG_ACTOR_BASE;
    ResetGoal(robot, x, z, true);
    return 1;
}

int SendRobotToWithSpeed(int robot, int actor, float x, float z, float speed) {
    if (!IsRobot(robot) || !GoalOnMap(robot, x, z)) return -1;
    RobotTable[robot].actor = actor;
    RobotTable[robot].speed = speed;
    ResetGoal(robot, x, z, true);
    return 1;
}

void ReplanRobot(int robot) { ResetGoal(robot, 0.0f, 0.0f, false); }

void NormalizeDebugKeys() { PlanSettings.debugKeys = PlanSettings.debugKeys == 1 ? 1 : 0; }

bool RobotDebugKeysOn() { return PlanSettings.debugKeys != 0; }

void IdleRobots() {
    for (int robot = 0; robot < ROBOT_COUNT; ++robot) {
        RobotRecord& r = RobotTable[robot];
        r.planStatus = 1;
        r.path.count = 0;
        r.waypoint = 0;
        r.motionDone = 1;
        r.arrived = 1;
        r.blocker = -1;
        r.waitCycles = 0;
        r.motionFrames = 0;
        r.velX = 0.0f;
        r.velZ = 0.0f;
    }
}

void RobotPlannerTick() {
    for (int robot = 0; robot < ROBOT_COUNT; ++robot) {
        StepRobot(robot);
        PlanRobot(robot);
    }
}
