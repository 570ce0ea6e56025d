// Goals, settings and scenes that the robots must survive: no map, goals off the map, footprints
// at the edge, refused moves, missing frames, a speed divisor of 0 and the level reset.
#include "planner/plan_config.h"
#include "planner/robot_bodies.h"
#include "planner/robot_steps.h"
#include "robot_yard.h"

namespace {

TEST_F(RobotYard, GoalsWithoutAMapOrOffItAreRefused) {
    Load(OpenMap(10));
    Place(0, 20.0f, 20.0f);
    // A grid without matrices stands for one that no map has filled yet.
    RangeMatrix<int32_t> cells;
    std::swap(cells, RobotTable[0].grid.cells);
    EXPECT_EQ(SendRobotTo(0, 50.0f, 50.0f), -1);
    std::swap(cells, RobotTable[0].grid.cells);
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    EXPECT_EQ(SendRobotTo(0, 100.0f, 50.0f), -1);                    // row 10 of a 10-row map
    EXPECT_EQ(SendRobotToWithSpeed(1, 2, -15.0f, 50.0f, 3.0f), -1);  // row -1.5 is cut to -1
    EXPECT_EQ(SendRobotTo(2, 50.0f, 50.0f), -1);
    EXPECT_EQ(SendRobotTo(-1, 50.0f, 50.0f), -1);
    ASSERT_EQ(platform::RecordedBoxes().size(), 2u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text,
              "Robot 0 goal (100, 50) is outside the planning map.");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Error");
    EXPECT_EQ(RobotTable[0].arrived, 1);
    EXPECT_EQ(RobotTable[1].speed, 2.0f);
    RobotPlannerTick();
    EXPECT_TRUE(scene_.legs.empty());
}

TEST_F(RobotYard, AConfigurationWithoutAMapReadsTheLastAgainAndAMapThatFailsKeepsTheGrid) {
    // Before any map has been named, a configuration without one leaves the grids as they stand.
    Write("speed.cfg", "float default_robot_speed = 5.0;\n");
    const int32_t rowsBefore = RobotTable[0].grid.rows;
    ASSERT_EQ(LoadPlanningMap("speed.cfg"), 1);
    EXPECT_EQ(RobotTable[0].grid.rows, rowsBefore);
    EXPECT_FALSE(std::filesystem::exists("Blank Map"));

    // Later it reads the map named last again, as that file stands now, into both grids: the
    // search under way is lost, and the settings are the new configuration's.
    Load(OpenMap(10));
    Place(0, 20.0f, 20.0f);
    ASSERT_EQ(SendRobotTo(0, 50.0f, 50.0f), 1);
    RobotPlannerTick();
    ASSERT_EQ(RobotTable[0].grid.searchStarted, 1);
    Write("yard.map", OpenMap(12, {{3, 4}}));
    std::filesystem::remove("Blank Map");
    ASSERT_EQ(LoadPlanningMap("speed.cfg"), 1);
    for (int robot = 0; robot < 2; ++robot) {
        const PlanGrid& grid = RobotTable[robot].grid;
        EXPECT_EQ(grid.rows, 12);
        EXPECT_EQ(grid.cells[3][4], CELL_OBSTACLE);
        EXPECT_EQ(grid.searchStarted, 0);
        EXPECT_EQ(RobotTable[robot].speed, 5.0f);
    }
    EXPECT_EQ(Read("Blank Map").size(), 12u * 13u);
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    Load(OpenMap(10));
    // No cell size and no map: one box says so, and the loaded grid stays usable.
    Write("bad.cfg", "char map_file_name[20] = \"nothing.map\";\n");
    ASSERT_EQ(LoadPlanningMap("bad.cfg"), 1);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "Open planning map nothing.map failed.");
    EXPECT_EQ(RobotTable[0].grid.cellSize, 10.0);
    EXPECT_EQ(RobotTable[1].grid.rows, 10);
    Place(0, 20.0f, 20.0f);
    EXPECT_EQ(SendRobotTo(0, 50.0f, 50.0f), 1);
}

TEST_F(RobotYard, FootprintsStayInsideTheGrid) {
    Load(OpenMap(10), "", 30.0f);  // (30 + 30) / 12: five cells each way
    PlacePlayer(0.0f, 0.0f);
    MarkBlockerFootprint(0, PLAYER_BODY);
    int painted = 0;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) painted += RobotTable[0].grid.cells[r][c] == CELL_FOOTPRINT;
    EXPECT_EQ(painted, 36);
    ClearBlockerFootprint(0, PLAYER_BODY);
    EXPECT_EQ(RobotTable[0].grid.cells[5][5], CELL_FREE);

    // Far off the map, and with a radius too large to count, nothing is painted.
    PlacePlayer(-30000.0f, 30000.0f);
    MarkBlockerFootprint(0, PLAYER_BODY);
    RobotTable[PLAYER_BODY].radius = 1e30f;
    PlacePlayer(10.0f, 10.0f);
    MarkBlockerFootprint(1, PLAYER_BODY);
    EXPECT_EQ(RobotTable[1].grid.cells[9][9], CELL_FOOTPRINT);
    ClearBlockerFootprint(1, PLAYER_BODY);
    EXPECT_EQ(RobotTable[1].grid.cells[9][9], CELL_FREE);
    EXPECT_EQ(RobotTable[0].grid.cells[0][0], CELL_FREE);
}

TEST_F(RobotYard, RefusedMovesAndAZeroDivisorLetTheRobotGoOn) {
    for (const char* extra : {"float speed_divisor = 0.0;\n", ""}) {
        Load(OpenMap(12, {{2, 5}}), extra);
        scene_.refuseMoves = *extra == '\0';
        Place(0, 20.0f, 20.0f);
        ASSERT_EQ(SendRobotTo(0, 20.0f, 80.0f), 1);
        Run run = RunUntilArrived(20);
        EXPECT_TRUE(RobotTable[0].arrived) << extra;
        EXPECT_LT(run.passes, 10) << extra;
        EXPECT_TRUE(scene_.legs.empty());
        EXPECT_EQ(GetBodyPosition(0).z, 20.0f);
    }
}

TEST_F(RobotYard, AMissingFrameKeepsTheLastPosition) {
    Load(OpenMap(10));
    Place(1, 30.0f, 40.0f);
    EXPECT_EQ(GetBodyPosition(1).x, 30.0f);
    scene_.robots[1].hasFrame = false;
    Place(1, 80.0f, 80.0f);
    BodyPosition p = GetBodyPosition(1);
    EXPECT_EQ(p.x, 30.0f);
    EXPECT_EQ(p.z, 40.0f);
    SetRobotScene(nullptr);  // no characters at all
    EXPECT_EQ(GetBodyPosition(1).z, 40.0f);
}

TEST_F(RobotYard, TheLevelResetIdlesRobotsInTheMiddleOfAMove) {
    Load(OpenMap(20));
    Place(0, 20.0f, 20.0f);
    Place(1, 180.0f, 20.0f);
    ASSERT_EQ(SendRobotTo(0, 20.0f, 180.0f), 1);
    ASSERT_EQ(SendRobotTo(1, 180.0f, 180.0f), 1);
    for (int i = 0; i < 8; ++i) {
        scene_.Step();
        RobotPlannerTick();
    }
    ASSERT_GT(RobotTable[0].motionFrames, 0);
    // The reset releases the characters: the robots stand and read nothing more.
    IdleRobots();
    scene_.robots[0].hasFrame = scene_.robots[1].hasFrame = false;
    const std::size_t legs = scene_.legs.size();
    for (int i = 0; i < 20; ++i) RobotPlannerTick();
    EXPECT_EQ(scene_.legs.size(), legs);
    for (int robot = 0; robot < 2; ++robot) {
        EXPECT_EQ(RobotTable[robot].arrived, 1);
        EXPECT_EQ(RobotTable[robot].velX, 0.0f);
        EXPECT_EQ(RobotTable[robot].blocker, -1);
    }
}

TEST_F(RobotYard, DebugKeysAreNormalisedOnlyAtStartUp) {
    Load(OpenMap(10), "int DEBUG_KEYS = 2;\n");
    EXPECT_TRUE(RobotDebugKeysOn());
    NormalizeDebugKeys();
    EXPECT_FALSE(RobotDebugKeysOn());
    Load(OpenMap(10), "int DEBUG_KEYS = 1;\n");
    NormalizeDebugKeys();
    EXPECT_TRUE(RobotDebugKeysOn());
    // A configuration loaded later is taken as it stands: a missing key (-1) enables the keys.
    Write("later.cfg", "double meters_per_cell = 1.0;\nchar map_file_name[20] = \"yard.map\";\n");
    LoadPlanningMap("later.cfg");
    EXPECT_TRUE(RobotDebugKeysOn());
    EXPECT_EQ(PlanSettings.debugKeys, -1);
}

}  // namespace
