// Robots planning and driving their routes on an open yard.
#include "planner/robot_bodies.h"
#include "planner/robot_steps.h"
#include "robot_yard.h"

namespace {

TEST_F(RobotYard, BothRobotsReachTheirGoalsLegByLeg) {
    Load(OpenMap(20));
    Place(0, 20.0f, 20.0f);
    Place(1, 20.0f, 150.0f);
    // Idle robots do nothing in a cycle.
    RobotPlannerTick();
    EXPECT_TRUE(scene_.legs.empty());

    ASSERT_EQ(SendRobotToWithSpeed(0, 0, 150.0f, 40.0f, 2.0f), 1);
    ASSERT_EQ(SendRobotTo(1, 150.0f, 170.0f), 1);
    EXPECT_EQ(RobotTable[1].actor, 5);
    EXPECT_EQ(RobotTable[0].planStatus, 0);
    Run run = RunUntilArrived(400);
    ASSERT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived) << run.passes;

    for (int robot = 0; robot < 2; ++robot) {
        const RobotRecord& r = RobotTable[robot];
        EXPECT_EQ(r.planStatus, 1);
        EXPECT_EQ(r.velX, 0.0f);
        EXPECT_EQ(r.velZ, 0.0f);
        // The mover stops short of each target by less than a step.
        BodyPosition p = GetBodyPosition(robot);
        EXPECT_LT(std::hypot(p.x - r.goalX, p.z - r.goalZ), r.speed) << robot;
        // A path of n points is driven in n - 1 legs; only the last one asks to be told.
        std::vector<FakeRobotScene::Leg> legs;
        for (const auto& leg : scene_.legs)
            if (leg.robot == robot) legs.push_back(leg);
        ASSERT_EQ(static_cast<int>(legs.size()), r.path.count - 1) << robot;
        for (std::size_t i = 0; i < legs.size(); ++i)
            EXPECT_EQ(legs[i].notify, i + 1 == legs.size() ? 1 : 0);
        EXPECT_FLOAT_EQ(legs.back().toX, r.goalX);
        EXPECT_FLOAT_EQ(legs.back().toZ, r.goalZ);
    }
    EXPECT_EQ(scene_.legs[0].actor, 0);
    EXPECT_FLOAT_EQ(scene_.legs[0].speed, 2.0f);  // the speed over the divisor of 1
    EXPECT_EQ(scene_.stops[0] + scene_.stops[1], 0);
}

TEST_F(RobotYard, AMoveIsCountedDownBeforeTheNextLeg) {
    // Around a wall the route has two legs: (2,2) -> (2,8) is blocked at (2,5).
    Load(OpenMap(12, {{1, 5}, {2, 5}, {3, 5}}), "int improved_paths = 1;\n");
    Place(0, 20.0f, 20.0f);
    ASSERT_EQ(SendRobotTo(0, 20.0f, 80.0f), 1);
    RobotPlannerTick();  // the search
    EXPECT_EQ(RobotTable[0].planStatus, 1);
    ASSERT_GT(RobotTable[0].path.count, 2);
    RobotPlannerTick();  // the first leg
    ASSERT_EQ(scene_.legs.size(), 1u);
    const int frames = scene_.legs[0].frames;
    EXPECT_EQ(RobotTable[0].motionFrames, frames + 1);
    EXPECT_EQ(RobotTable[0].waypoint, 1);
    // frames + 1 counted cycles, then the next leg in the cycle after.
    for (int i = 0; i < frames + 1; ++i) {
        scene_.Step();
        RobotPlannerTick();
    }
    EXPECT_EQ(scene_.legs.size(), 1u);
    scene_.Step();
    RobotPlannerTick();
    EXPECT_EQ(scene_.legs.size(), 2u);
    EXPECT_EQ(RobotTable[0].waypoint, 2);
}

TEST_F(RobotYard, HeadingsFollowTheFloorAxes) {
    Load(OpenMap(10));
    Place(0, 50.0f, 50.0f);
    RobotRecord& r = RobotTable[0];
    r.path.count = 2;
    r.waypoint = 1;
    struct Case {
        int row, col;
        float heading;
    } cases[] = {{5, 4, 0.0f},  {6, 5, 90.0f},  {5, 6, 180.0f}, {4, 5, 270.0f},
                 {6, 4, 45.0f}, {6, 6, 135.0f}, {4, 6, 225.0f}, {4, 4, 315.0f}};
    for (const Case& c : cases) {
        r.path.rows[1] = c.row;
        r.path.cols[1] = c.col;
        EXPECT_NEAR(HeadingToWaypoint(0), c.heading, 1e-3) << c.row << "," << c.col;
    }
    r.path.count = 0;
}

TEST_F(RobotYard, SearchesWriteTheDumpsAndFailedOnesStand) {
    // Cell (5,5) is walled in; the first search finds its way, the second cannot.
    Load(OpenMap(8, {{4, 4}, {4, 5}, {4, 6}, {5, 4}, {5, 6}, {6, 4}, {6, 5}, {6, 6}}));
    EXPECT_EQ(Read("Blank Map").substr(0, 9), "........\n");
    Place(0, 10.0f, 10.0f);
    ASSERT_EQ(SendRobotTo(0, 10.0f, 60.0f), 1);
    RobotPlannerTick();
    EXPECT_EQ(Read("Planned Path").substr(0, 18),
              "........\n.P....P.\n");                     // the smoothed path: its two ends
    EXPECT_EQ(RobotTable[0].grid.cells[1][3], CELL_FREE);  // the marks are gone again

    std::filesystem::remove("Planned Path");
    ASSERT_EQ(SendRobotTo(0, 50.0f, 50.0f), 1);
    RobotPlannerTick();
    EXPECT_EQ(RobotTable[0].planStatus, -1);
    std::string dump = Read("Planned Path");
    EXPECT_EQ(dump.find('P'), std::string::npos);
    EXPECT_NE(dump.find("XXX"), std::string::npos);
    for (int i = 0; i < 5; ++i) RobotPlannerTick();
    EXPECT_EQ(RobotTable[0].arrived, 0);
    EXPECT_EQ(scene_.legs.size(), 0u);
}

}  // namespace
