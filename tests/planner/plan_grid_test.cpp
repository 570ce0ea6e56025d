#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "planner/plan_config.h"
#include "planner/plan_grid.h"
#include "planner/plan_map.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Each test runs in a folder of its own, where the dumps are written.
class PlanGridFiles : public testing::Test {
protected:
    void SetUp() override {
        scratch_.emplace("plan_grid");
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
    }
    void TearDown() override {
        scratch_.reset();
        platform::SetBoxEcho(true);
    }
    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::optional<support::ScratchFolder> scratch_;
};

TEST_F(PlanGridFiles, MapFileFillsTheGridAndTheBlankMap) {
    Write("room.map",
          "3 4\n1 2\n0.5\n"
          "11 0 -1 0\n"
          "0 5 -1 99\n"
          "-1 -1 0 0\n");
    PlanGrid grid;
    ASSERT_TRUE(ReadPlanMap("room.map", grid));
    EXPECT_EQ(grid.rows, 3);
    EXPECT_EQ(grid.cols, 4);
    EXPECT_EQ(grid.originRow, 1);
    EXPECT_EQ(grid.originCol, 2);
    EXPECT_EQ(grid.cellSize, 0.5);
    EXPECT_EQ(grid.cells[0][0], CELL_FREE);
    EXPECT_EQ(grid.cells[1][3], CELL_FREE);
    EXPECT_EQ(grid.cells[1][1], 5);
    EXPECT_EQ(grid.cells[2][0], CELL_OBSTACLE);
    EXPECT_EQ(grid.f[2][3], 0.0f);
    EXPECT_EQ(Read("Blank Map"), "..X.\n.?X.\nXX..\n");
}

TEST_F(PlanGridFiles, BadMapFilesKeepTheOldGrid) {
    Write("good.map", "2 2 0 0 1.0\n0 -1\n0 0");  // the last row needs no line feed
    PlanGrid grid;
    ASSERT_TRUE(ReadPlanMap("good.map", grid));
    Write("short.map", "3 3 0 0 1.0\n0 0 0\n0 0\n");
    Write("zero.map", "1 1 0 0 0\n0\n");
    Write("empty.map", "0 4 0 0 1.0\n");
    Write("junk.map", "2 2 0 0 1.0\n0 x 0 0\n");
    for (const char* name : {"short.map", "zero.map", "empty.map", "junk.map", "missing.map"}) {
        EXPECT_FALSE(ReadPlanMap(name, grid)) << name;
        EXPECT_EQ(grid.rows, 2) << name;
        EXPECT_EQ(grid.cellSize, 1.0) << name;
        EXPECT_EQ(grid.cells[0][1], CELL_OBSTACLE) << name;
    }
    ASSERT_EQ(platform::RecordedBoxes().size(), 5u);
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Error");
    EXPECT_NE(platform::RecordedBoxes()[4].text.find("missing.map"), std::string::npos);
}

TEST_F(PlanGridFiles, PlannedPathShowsPathAndFootprintThenFreesThePath) {
    Write("room.map", "3 4 0 0 1.0\n0 0 0 0\n0 -1 0 0\n0 0 0 0\n");
    PlanGrid grid;
    ASSERT_TRUE(ReadPlanMap("room.map", grid));
    grid.cells[2][3] = CELL_FOOTPRINT;
    RobotPath path;
    const int32_t points[][2] = {
        {0, 0}, {0, 1}, {0, 2}, {1, 3}, {7, 9}};  // the last is off the grid
    for (int i = 0; i < 5; ++i) {
        path.rows[i] = points[i][0];
        path.cols[i] = points[i][1];
    }
    path.count = 5;
    DumpPlannedPath(grid, path);
    EXPECT_EQ(Read("Planned Path"), "PPP.\n.X.P\n...T\n");
    EXPECT_EQ(grid.cells[0][1], CELL_FREE);
    EXPECT_EQ(grid.cells[1][3], CELL_FREE);
    DumpBlankMap(grid);
    EXPECT_EQ(Read("Blank Map"), "....\n.X..\n...?\n");
}

TEST(PlanGrid, WorldAndCellConversions) {
    PlanGrid grid;
    grid.originRow = 10;
    grid.originCol = 20;
    grid.cellSize = 0.5;
    GridCell c = WorldToCell(grid, 0.0, 0.0);
    EXPECT_EQ(c.row, 10);
    EXPECT_EQ(c.col, 20);
    c = WorldToCell(grid, 1.2, -0.2);
    EXPECT_EQ(c.row, 12);
    EXPECT_EQ(c.col, 19);
    WorldPoint w = CellToWorld(grid, 12, 19);
    EXPECT_FLOAT_EQ(w.x, 1.0f);
    EXPECT_FLOAT_EQ(w.z, -0.5f);

    ResizePlanGrid(grid, 30, 30);
    EXPECT_TRUE(CellInGrid(grid, 29, 0));
    EXPECT_FALSE(CellInGrid(grid, 30, 0));
    EXPECT_FALSE(CellInGrid(grid, 0, -1));
    grid.cellSize = 0.0;  // a cell size of 0 puts every point but the origin off the grid
    c = WorldToCell(grid, 3.0, -3.0);
    EXPECT_FALSE(CellInGrid(grid, c.row, c.col));
}

TEST_F(PlanGridFiles, ConfigurationKeysAndMissingOnes) {
    Write("robots.cfg",
          "int milliseconds_per_cycle = 5;\n"
          "int max_turn_segments = 3;\n"
          "int improved_paths = 2;\n"
          "int DEBUG_KEYS = 1;\n"
          "int map_width = 64; int map_height = 48;\n"
          "float all_robots_look_ahead = 20;\n"
          "double default_robot_speed = 0.5;\n"
          "float speed_divisor = 2.0;\n"
          "float default_robot_radius = 1.5;\n"
          "double meters_per_cell = 0.25;\n"
          "char map_file_name[40] = \"maps\\room.map\";\n");
    PlannerConfig config;
    EXPECT_TRUE(ReadPlanConfig("robots.cfg", config));
    EXPECT_EQ(config.millisecondsPerCycle, 5);
    EXPECT_EQ(config.maxTurnSegments, 3);
    EXPECT_EQ(config.improvedPaths, 2);
    EXPECT_EQ(config.debugKeys, 1);
    EXPECT_EQ(config.mapWidth, 64);
    EXPECT_EQ(config.mapHeight, 48);
    EXPECT_DOUBLE_EQ(config.allRobotsLookAhead, 20.0);
    EXPECT_DOUBLE_EQ(config.defaultRobotSpeed, 0.5);
    EXPECT_DOUBLE_EQ(config.speedDivisor, 2.0);
    EXPECT_DOUBLE_EQ(config.defaultRobotRadius, 1.5);
    EXPECT_DOUBLE_EQ(config.metersPerCell, 0.25);
    EXPECT_EQ(config.mapFileName, "maps\\room.map");

    // meters_per_cell must be a double; a float (or a missing key) reads as -1. A long text is
    // cut to what a token holds. A statement that fails ends the parse but the file was read.
    Write("sparse.cfg",
          "float meters_per_cell = 0.25; double milliseconds_per_cycle = 5;\n"
          "char map_file_name[200] = \"" +
              std::string(150, 'a') + "\";\n@@@ stops here; int improved_paths = 1;\n");
    EXPECT_TRUE(ReadPlanConfig("sparse.cfg", config));
    EXPECT_EQ(config.improvedPaths, -1);
    EXPECT_EQ(config.millisecondsPerCycle, -1);
    EXPECT_DOUBLE_EQ(config.speedDivisor, -1.0);
    EXPECT_DOUBLE_EQ(config.metersPerCell, -1.0);
    EXPECT_EQ(config.mapFileName, std::string(78, 'a'));  // cut to the token cell

    // Only a file that cannot be opened or read is refused: missing, or a folder.
    EXPECT_FALSE(ReadPlanConfig("absent.cfg", config));
    std::filesystem::create_directory("folder.cfg");
    EXPECT_FALSE(ReadPlanConfig("folder.cfg", config));
    EXPECT_EQ(config.millisecondsPerCycle, -1);
}

}  // namespace
