// The demo's yard: its planner configuration and map, and its script.
#include <filesystem>

#include "planner/plan_config.h"
#include "robot_yard.h"
#include "script/events.h"
#include "script/loader.h"

namespace {

TEST_F(RobotYard, TheDemoYardLetsBothRobotsCrossIt) {
    for (const char* name : {"yard_planner.cfg", "yard.map", "yard.scp"}) {
        std::filesystem::copy_file(std::filesystem::path(DUSK_DEMO_DATA) / name, name);
    }
    ASSERT_EQ(LoadPlanningMap("yard_planner.cfg"), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(RobotTable[1].grid.rows, 20);
    EXPECT_EQ(RobotTable[1].grid.cells[0][7], CELL_OBSTACLE);
    EXPECT_EQ(RobotTable[1].grid.cells[7][7], CELL_FREE);
    EXPECT_GT(PlanSettings.speedDivisor, 0.0);

    // The script's crossing: each robot to the other's corner, past the player at the start.
    platform::SRand(11);
    Place(0, 30.0f, 30.0f);
    Place(1, 170.0f, 170.0f);
    PlacePlayer(50.0f, 50.0f);
    ASSERT_EQ(SendRobotToWithSpeed(0, 1, 170.0f, 170.0f, 35.0f), 1);
    ASSERT_EQ(SendRobotToWithSpeed(1, 3, 30.0f, 30.0f, 35.0f), 1);
    Run run = RunUntilArrived(2000);
    EXPECT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived) << run.passes;
    EXPECT_GE(run.closestRobots, 2 * RobotTable[0].radius);
    EXPECT_GE(run.closestToPlayer, 2 * RobotTable[0].radius);

    // The script compiles without a complaint.
    InitScriptEngine();
    EXPECT_EQ(LoadScriptFile("yard.scp"), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

}  // namespace
