// The planner's bodies as the cycle sees them: where they stand, how fast they go, and whether
// they are about to meet.
#pragma once

struct BodyPosition {
    float x = 0.0f;
    float z = 0.0f;
};

// Where a body stands: the player's position, or a robot character's frame.
BodyPosition GetBodyPosition(int body);
// The base frame's translation of a robot's character, read when the map is loaded.
void ReadRobotPose(int robot);

// The body's velocity, and the same but zero while the body waits.
BodyPosition GetBodyVelocity(int body);
BodyPosition GetMovingVelocity(int body);

// True when discs of combined radius r around p1 and p2, moving at v1 and v2, touch within
// t cycles from now.
bool DiscsCollideWithin(float x1, float z1, float x2, float z2, float v1x, float v1z, float v2x,
                        float v2z, float r, float t);
// True when the robot is predicted to run into another body within its look-ahead; that body
// becomes its blocker.
bool PredictRobotCollision(int robot);
