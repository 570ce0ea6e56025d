// The planner cycle: each robot drives from waypoint to waypoint of its path, stops and waits
// when it is about to run into another body, and searches for its route a slice at a time.
#include "planner/robot_steps.h"

#include <cmath>
#include <cstdint>

#include "planner/astar.h"
#include "planner/limits.h"
#include "planner/plan_config.h"
#include "planner/plan_map.h"
#include "planner/robot_bodies.h"
#include "planner/robot_control.h"
#include "planner/robot_scene.h"
#include "planner/robot_table.h"
#include "platform/random.h"

namespace {

using namespace planner_limits;

double Radians(double degrees) { return degrees * ROBOT_PI / 180.0; }
double Degrees(double y, double x) { return std::atan2(y, x) * 180.0 / ROBOT_PI; }

// base + trunc(rand * span / 32767): a wait of base to base + span cycles.
int32_t RandomWait(int base, double span) {
    return base + static_cast<int32_t>(platform::Rand() * span / platform::RAND_MAX15);
}

void ZeroRobotVelocity(RobotRecord& r) {
    r.velX = 0.0f;
    r.velZ = 0.0f;
}

// Hands one leg to the turning mover; the move's frame count. A move the mover refuses (or that
// cannot be made: no scene, no usable speed divisor) counts as 0 frames, so the robot goes on.
int IssueRobotMotion(int robot, float moveSpeed, float tx, float tz, float newHeading, int last) {
    RobotRecord& r = RobotTable[robot];
    const BodyPosition p = GetBodyPosition(robot);
    const float from[3] = {p.x, 0.0f, p.z};
    const float to[3] = {tx, 0.0f, tz};
    int frames = -1;
    if (RobotScene* scene = CurrentRobotScene(); scene && PlanSettings.speedDivisor > 0.0) {
        frames = scene->StartTurnMove(r.actor, from, to, moveSpeed, r.heading, newHeading,
                                      PlanSettings.maxTurnSegments, last);
    }
    r.heading = newHeading;
    return frames < 0 ? 0 : frames;
}

// Sets the velocity towards the current waypoint and starts the leg; its frame count.
int DriveToWaypoint(int robot) {
    RobotRecord& r = RobotTable[robot];
    if (r.waypoint < 0 || r.waypoint >= r.path.count) return 0;
    const float h = HeadingToWaypoint(robot);
    r.velX = static_cast<float>(std::sin(Radians(h)) * r.speed);
    r.velZ = static_cast<float>(-std::cos(Radians(h)) * r.speed);
    const WorldPoint t = CellToWorld(r.grid, r.path.rows[r.waypoint], r.path.cols[r.waypoint]);
    const int last = r.waypoint == r.path.count - 1 ? 1 : 0;
    float moveSpeed = 0.0f;
    if (PlanSettings.speedDivisor > 0.0)
        moveSpeed = r.speed / static_cast<float>(PlanSettings.speedDivisor);
    return IssueRobotMotion(robot, moveSpeed, t.x, t.z, h, last);
}

void StopRobotForCollision(int robot) {
    if (RobotScene* scene = CurrentRobotScene()) scene->StopMove(robot);
    RobotTable[robot].waitCycles = RandomWait(STOP_WAIT_BASE, STOP_WAIT_SPAN);
}

void ResumeRobotMotion(int robot) {
    RobotRecord& r = RobotTable[robot];
    r.motionFrames = DriveToWaypoint(robot) + 1;
    r.waitCycles = 0;
    r.blocker = -1;
}

// The wait has run out: go on when the way is clear, plan around a blocker that stands, or wait
// again for one that is still on its way.
void HandleRobotCollision(int robot) {
    RobotRecord& r = RobotTable[robot];
    if (!PredictRobotCollision(robot)) {
        ResumeRobotMotion(robot);
        return;
    }
    const RobotRecord& b = RobotTable[r.blocker];
    if (b.arrived != 0 || b.waitCycles != 0) {
        ReplanRobot(robot);
        r.waitCycles = 0;
        return;
    }
    r.waitCycles = RandomWait(BLOCKED_WAIT_BASE, BLOCKED_WAIT_SPAN);
}

// Visits the cells of the other body's footprint that lie inside the robot's grid, turning
// code `from` into `to`.
void RecodeFootprint(int robot, int other, int32_t from, int32_t to) {
    PlanGrid& g = RobotTable[robot].grid;
    if (!g.cells) return;
    const BodyPosition o = GetBodyPosition(other);
    const GridCell c = WorldToCell(g, o.x, o.z);
    double reach =
        std::trunc((RobotTable[other].radius + RobotTable[robot].radius) / FOOTPRINT_DIVISOR);
    if (!(reach >= 0.0)) return;
    reach = std::fmin(reach, static_cast<double>(g.rows) + g.cols);
    const int64_t d = static_cast<int64_t>(reach);
    const int64_t r0 = std::max<int64_t>(int64_t{c.row} - d, 0),
                  r1 = std::min<int64_t>(int64_t{c.row} + d, g.rows - 1);
    const int64_t c0 = std::max<int64_t>(int64_t{c.col} - d, 0),
                  c1 = std::min<int64_t>(int64_t{c.col} + d, g.cols - 1);
    for (int64_t row = r0; row <= r1; ++row) {
        for (int64_t col = c0; col <= c1; ++col) {
            if (g.cells[row][col] == from) g.cells[row][col] = to;
        }
    }
}

}  // namespace

float HeadingToWaypoint(int robot) {
    const RobotRecord& r = RobotTable[robot];
    const BodyPosition b = GetBodyPosition(robot);
    const WorldPoint w = CellToWorld(r.grid, r.path.rows[r.waypoint], r.path.cols[r.waypoint]);
    const float dx = w.x - b.x, dz = w.z - b.z;
    double h;
    if (dx > 0.0f) {
        if (dz > 0.0f)
            h = 180.0 - Degrees(dx, dz);
        else if (dz == 0.0f)
            h = 90.0;
        else
            h = Degrees(dx, -dz);
    } else if (dx < 0.0f) {
        if (dz > 0.0f)
            h = 180.0 + Degrees(-dx, dz);
        else if (dz == 0.0f)
            h = 270.0;
        else
            h = 360.0 - Degrees(-dx, -dz);
    } else {
        h = dz > 0.0f ? 180.0 : 0.0;
    }
    return static_cast<float>(h);
}

void MarkBlockerFootprint(int robot, int other) {
    RecodeFootprint(robot, other, CELL_FREE, CELL_FOOTPRINT);
}
void ClearBlockerFootprint(int robot, int other) {
    RecodeFootprint(robot, other, CELL_FOOTPRINT, CELL_FREE);
}

// A move of f frames is counted down over f + 1 cycles; the next cycle issues the next leg.
void StepRobot(int robot) {
    RobotRecord& r = RobotTable[robot];
    if (r.arrived == 1) return;
    if (r.waitCycles > 1) {
        --r.waitCycles;
        return;
    }
    if (r.waitCycles == 1) HandleRobotCollision(robot);
    if (r.planStatus == PLAN_PENDING || r.planStatus == PLAN_NO_PATH) return;
    if (r.motionFrames > 0) {
        --r.motionFrames;
        if (PredictRobotCollision(robot)) {
            StopRobotForCollision(robot);
            return;
        }
    } else {
        r.motionDone = 1;
    }
    if (r.waypoint != 0 && r.motionDone == 0) return;
    r.motionDone = 0;
    ++r.waypoint;  // point 0 is the start cell
    if (r.waypoint >= r.path.count) {
        r.arrived = 1;
        ZeroRobotVelocity(r);
        return;
    }
    r.motionFrames = DriveToWaypoint(robot) + 1;
}

// One slice of the search while a plan is pending, around the blocker's footprint if there is
// one; the footprint only stands during the search call it was painted for.
void PlanRobot(int robot) {
    RobotRecord& r = RobotTable[robot];
    if (r.planStatus != PLAN_PENDING) return;
    if (r.blocker != -1) MarkBlockerFootprint(robot, r.blocker);
    r.planStatus =
        PlanPath(r.grid, r.path, PlanSettings.millisecondsPerCycle, PlanSettings.improvedPaths);
    if (r.planStatus != PLAN_PENDING) {
        DumpPlannedPath(r.grid, r.path);
        if (r.blocker != -1) {
            ClearBlockerFootprint(robot, r.blocker);
            r.blocker = -1;
        }
    }
    if (r.blocker != -1) ClearBlockerFootprint(robot, r.blocker);
}
