// Robots predicting collisions with each other and with the player, and waiting or planning
// around them.
#include "robot_yard.h"

namespace {

TEST_F(RobotYard, CrossingRobotsGiveWayAndBothArrive) {
    Load(OpenMap(20));
    Place(0, 20.0f, 100.0f);
    Place(1, 100.0f, 20.0f);
    ASSERT_EQ(SendRobotTo(0, 180.0f, 100.0f), 1);
    ASSERT_EQ(SendRobotTo(1, 100.0f, 180.0f), 1);
    Run run = RunUntilArrived(600);
    ASSERT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived) << run.passes;
    EXPECT_GT(scene_.stops[0] + scene_.stops[1], 0);
    EXPECT_GE(run.closestRobots, RobotTable[0].radius + RobotTable[1].radius);
}

TEST_F(RobotYard, ThePlayerOnTheRouteIsAvoided) {
    Load(OpenMap(20));
    Place(0, 20.0f, 100.0f);
    Place(1, 190.0f, 190.0f);
    PlacePlayer(100.0f, 100.0f);
    ASSERT_EQ(SendRobotTo(0, 180.0f, 100.0f), 1);
    Run run = RunUntilArrived(600);
    ASSERT_TRUE(RobotTable[0].arrived) << run.passes;
    EXPECT_GT(scene_.stops[0], 0);
    EXPECT_GE(run.closestToPlayer, RobotTable[0].radius * 2);
    // The last search planned around the player's footprint, shown in its dump.
    EXPECT_EQ(Read("Planned Path")[10 * 21 + 10], 'T');
    EXPECT_EQ(RobotTable[0].blocker, -1);
    EXPECT_EQ(RobotTable[0].grid.cells[10][10], CELL_FREE);
}

TEST_F(RobotYard, TheSecondBuildWalksThroughThePlayer) {
    SecondBuild = true;
    Load(OpenMap(20));
    Place(0, 20.0f, 100.0f);
    Place(1, 190.0f, 190.0f);
    PlacePlayer(100.0f, 100.0f);
    ASSERT_EQ(SendRobotTo(0, 180.0f, 100.0f), 1);
    Run run = RunUntilArrived(600);
    ASSERT_TRUE(RobotTable[0].arrived) << run.passes;
    EXPECT_EQ(scene_.stops[0], 0);
    EXPECT_LT(run.closestToPlayer, 2.0f);
}

TEST_F(RobotYard, HeadOnRobotsWaitThenPlanAroundEachOther) {
    Load(OpenMap(20));
    Place(0, 20.0f, 100.0f);
    Place(1, 180.0f, 100.0f);
    ASSERT_EQ(SendRobotTo(0, 180.0f, 100.0f), 1);
    ASSERT_EQ(SendRobotTo(1, 20.0f, 100.0f), 1);
    Run run = RunUntilArrived(1000);
    ASSERT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived) << run.passes;
    EXPECT_GT(scene_.stops[0], 0);
    EXPECT_GE(run.closestRobots, RobotTable[0].radius + RobotTable[1].radius);
}

TEST_F(RobotYard, AFootprintStandsOnlyDuringItsSearchCall) {
    // Without a time budget each call expands one cell, so the search takes many cycles.
    Load(OpenMap(20), "int milliseconds_per_cycle = -1;\n", 15.0f);
    Place(0, 20.0f, 20.0f);
    PlacePlayer(100.0f, 100.0f);
    ASSERT_EQ(SendRobotTo(0, 180.0f, 180.0f), 1);
    RobotTable[0].blocker = PLAYER_BODY;
    int cycles = 0;
    for (; RobotTable[0].planStatus == 0 && cycles < 1000; ++cycles) {
        RobotPlannerTick();
        EXPECT_EQ(RobotTable[0].grid.cells[10][10], CELL_FREE);
    }
    EXPECT_GT(cycles, 10);
    ASSERT_EQ(RobotTable[0].planStatus, 1);
    EXPECT_EQ(RobotTable[0].blocker, -1);
    // The footprint reached (15 + 15) / 12 = 2 cells around the player while the route was
    // searched: no path point lies in it.
    for (int i = 0; i < RobotTable[0].path.count; ++i) {
        bool inside = std::abs(RobotTable[0].path.rows[i] - 10) <= 2 &&
                      std::abs(RobotTable[0].path.cols[i] - 10) <= 2;
        EXPECT_FALSE(inside) << i;
    }
    std::string dump = Read("Planned Path");
    EXPECT_EQ(dump.substr(8 * 21 + 8, 5), "TTTTT");
}

}  // namespace
