// The planner's bodies: where they stand, how fast they go, and whether they are about to meet.
#include "planner/robot_bodies.h"

#include <cmath>

#include "base/build_variant.h"
#include "planner/limits.h"
#include "planner/robot_scene.h"
#include "planner/robot_steps.h"
#include "planner/robot_table.h"
#include "world/player.h"

namespace {

using namespace planner_limits;

// A robot character's part frame translation, through its motion row.
bool RobotFrameTranslation(int robot, int partOffset, float out[3]) {
    RobotScene* scene = CurrentRobotScene();
    return scene && scene->PartTranslation(ROBOT_POSITION_ROWS[robot], partOffset, out);
}

}  // namespace

BodyPosition GetBodyPosition(int body) {
    RobotRecord& r = RobotTable[body];
    if (body == PLAYER_BODY)
        return {static_cast<float>(PlayerX / 65536.0), static_cast<float>(PlayerZ / 65536.0)};
    float t[3];
    if (RobotFrameTranslation(body, 0, t)) {  // a character without its frame stays where last seen
        r.lastX = r.poseX + t[0];
        r.lastZ = r.poseZ + t[2];
    }
    return {r.lastX, r.lastZ};
}

void ReadRobotPose(int robot) {
    RobotRecord& r = RobotTable[robot];
    float t[3];
    if (!RobotFrameTranslation(robot, -1, t)) return;
    r.poseX = t[0];
    r.poseY = t[1];
    r.poseZ = t[2];
}

BodyPosition GetBodyVelocity(int body) { return {RobotTable[body].velX, RobotTable[body].velZ}; }

BodyPosition GetMovingVelocity(int body) {
    if (RobotTable[body].waitCycles > 0) return {};
    return GetBodyVelocity(body);
}

bool DiscsCollideWithin(float x1, float z1, float x2, float z2, float v1x, float v1z, float v2x,
                        float v2z, float r, float t) {
    const float dvx = v1x - v2x, dvz = v1z - v2z;
    const float dpx = x1 - x2, dpz = z1 - z2;
    const float a = dvx * dvx + dvz * dvz;
    const float b = 2.0f * (dvx * dpx + dvz * dpz);
    const float c = dpx * dpx + dpz * dpz - r * r;
    if (a == 0.0f) return false;
    const float disc = b * b - 4.0f * a * c;
    if (disc < 0.0f) return false;
    const float root = std::sqrt(disc);
    const float t1 = (-b + root) / (2.0f * a);
    const float t2 = (-b - root) / (2.0f * a);
    return (t1 >= 0.0f && t1 <= t) || (t2 >= 0.0f && t2 <= t);
}

bool PredictRobotCollision(int robot) {
    RobotRecord& me = RobotTable[robot];
    const float T = me.lookAhead;
    const BodyPosition p = GetBodyPosition(robot);
    const float reach = me.speed * T;
    // The second build steers clear of the other robot only.
    const int bodies = SecondBuild ? ROBOT_COUNT : BODY_COUNT;
    for (int i = 0; i < bodies; ++i) {
        if (i == robot) continue;
        const RobotRecord& other = RobotTable[i];
        const float R = other.radius + me.radius;
        const BodyPosition q = GetBodyPosition(i);
        // A city-block gate before the square roots.
        const float gap = (std::fabs(p.z - q.z) + std::fabs(p.x - q.x)) / GATE_DIVISOR - R;
        if (other.speed * T + reach < gap) continue;
        const BodyPosition vr = GetBodyVelocity(robot);
        const BodyPosition vi = GetMovingVelocity(i);
        // Only a relative velocity pointing towards the other body can bring them together.
        const double dpx = q.x - p.x, dpz = q.z - p.z;
        const double dvx = vr.x - vi.x, dvz = vr.z - vi.z;
        const double lengths = std::sqrt(dpx * dpx + dpz * dpz) * std::sqrt(dvx * dvx + dvz * dvz);
        if (lengths == 0.0) continue;
        double c = (dpx * dvx + dpz * dvz) / lengths;
        c = std::fmin(std::fmax(c, -CLOSING_COSINE_LIMIT), CLOSING_COSINE_LIMIT);
        if (!(std::acos(c) < CLOSING_ANGLE)) continue;
        if (DiscsCollideWithin(p.x, p.z, q.x, q.z, vr.x, vr.z, vi.x, vi.z, R, T)) {
            me.blocker = i;
            return true;
        }
    }
    return false;
}
