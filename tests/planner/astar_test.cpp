#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <queue>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "planner/astar.h"
#include "planner/astar_detail.h"
#include "planner/limits.h"
#include "planner/open_list.h"
#include "planner/path_smoothing.h"
#include "platform/clock.h"

static bool operator==(const GridCell& a, const GridCell& b) {
    return a.row == b.row && a.col == b.col;
}

namespace {

constexpr double DIAGONAL = 1.414213562373;

// A grid from a picture: '.' free, 'X' obstacle, 'T' footprint, 'S' start, 'G' goal.
void Load(PlanGrid& grid, const std::vector<std::string>& rows) {
    ResizePlanGrid(grid, static_cast<int32_t>(rows.size()), static_cast<int32_t>(rows[0].size()));
    for (int32_t r = 0; r < grid.rows; ++r) {
        for (int32_t c = 0; c < grid.cols; ++c) {
            char ch = rows[r][c];
            grid.cells[r][c] = ch == 'X' ? CELL_OBSTACLE : ch == 'T' ? CELL_FOOTPRINT : CELL_FREE;
            if (ch == 'S') grid.start = {0.0, r, c};
            if (ch == 'G') grid.goal = {0.0, r, c};
        }
    }
}

// Shortest 8-connected distance without cutting corners, by Dijkstra; -1 when unreachable.
double ReferenceDistance(const PlanGrid& grid) {
    std::vector<double> dist(grid.rows * grid.cols, 1e18);
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    int startIndex = grid.start.row * grid.cols + grid.start.col;
    dist[startIndex] = 0;
    queue.push({0, startIndex});
    while (!queue.empty()) {
        auto [d, i] = queue.top();
        queue.pop();
        if (d > dist[i]) continue;
        int r = i / grid.cols, c = i % grid.cols;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                if ((dr == 0 && dc == 0) || !CellPassable(grid, r + dr, c + dc)) continue;
                if (dr != 0 && dc != 0 &&
                    (!CellPassable(grid, r + dr, c) || !CellPassable(grid, r, c + dc))) {
                    continue;
                }
                double nd = d + (dr != 0 && dc != 0 ? DIAGONAL : 1.0);
                int j = (r + dr) * grid.cols + c + dc;
                if (nd < dist[j]) {
                    dist[j] = nd;
                    queue.push({nd, j});
                }
            }
        }
    }
    double d = dist[grid.goal.row * grid.cols + grid.goal.col];
    return d > 1e17 ? -1.0 : d;
}

// Checks that a raw path is a legal walk from start to goal and returns its length.
double CheckedLength(const PlanGrid& grid, const RobotPath& path) {
    EXPECT_GE(path.count, 1);
    EXPECT_EQ(path.rows[0], grid.start.row);
    EXPECT_EQ(path.cols[0], grid.start.col);
    EXPECT_EQ(path.rows[path.count - 1], grid.goal.row);
    EXPECT_EQ(path.cols[path.count - 1], grid.goal.col);
    double length = 0;
    for (int i = 1; i < path.count; ++i) {
        int r = path.rows[i], c = path.cols[i];
        int dr = r - path.rows[i - 1], dc = c - path.cols[i - 1];
        EXPECT_TRUE(std::abs(dr) <= 1 && std::abs(dc) <= 1 && (dr || dc)) << "step " << i;
        EXPECT_TRUE(CellPassable(grid, r, c)) << "step " << i;
        if (dr && dc) {
            EXPECT_TRUE(CellPassable(grid, r - dr, c) && CellPassable(grid, r, c - dc))
                << "corner cut at step " << i;
        }
        length += (dr && dc) ? DIAGONAL : 1.0;
    }
    return length;
}

class AStar : public testing::Test {
protected:
    void SetUp() override { platform::UseFakeClock(true, 1000); }
    void TearDown() override { platform::UseFakeClock(false); }
};

TEST_F(AStar, HandMadeGridsGiveShortestPathsWithoutCuttingCorners) {
    const std::vector<std::vector<std::string>> grids = {
        {"SX", ".G"},
        {"S....", "XXXX.", "G....", "....."},
        {"..........", ".S..X.....", "....X.....", "XXX.X.XXXX", "....X...G.", "..T.XXX...",
         ".........."},
        {"S.X.", "X.X.", "..XG"},  // unreachable
        {"S..", ".XX", ".XG"},     // goal closed in by corners only
    };
    for (const auto& picture : grids) {
        PlanGrid grid;
        RobotPath path;
        Load(grid, picture);
        double expected = ReferenceDistance(grid);
        int result = PlanPath(grid, path, 0, 0);
        if (expected < 0) {
            EXPECT_EQ(result, PLAN_NO_PATH) << picture[0];
            EXPECT_EQ(path.count, 0);
        } else {
            ASSERT_EQ(result, PLAN_FOUND) << picture[0];
            EXPECT_NEAR(CheckedLength(grid, path), expected, 1e-4) << picture[0];
        }
    }
}

// A size x size picture with obstacles in about blockedPercent of its cells, a start and a goal
// on random cells; empty when the goal fell on the start.
std::vector<std::string> RandomPicture(std::mt19937& random, int size, int blockedPercent) {
    std::vector<std::string> picture(size, std::string(size, '.'));
    for (auto& row : picture) {
        for (char& ch : row) ch = static_cast<int>(random() % 100) < blockedPercent ? 'X' : '.';
    }
    picture[random() % size][random() % size] = 'S';
    int gr = random() % size, gc = random() % size;
    if (picture[gr][gc] == 'S') return {};
    picture[gr][gc] = 'G';
    return picture;
}

TEST_F(AStar, RandomGridsAgreeWithDijkstra) {
    std::mt19937 random(7);
    for (int n = 0; n < 60; ++n) {
        std::vector<std::string> picture = RandomPicture(random, 14, 28);
        if (picture.empty()) continue;
        PlanGrid grid;
        RobotPath path;
        Load(grid, picture);
        double expected = ReferenceDistance(grid);
        int result = PlanPath(grid, path, 0, 0);
        ASSERT_EQ(result, expected < 0 ? PLAN_NO_PATH : PLAN_FOUND) << "grid " << n;
        if (expected >= 0) {
            EXPECT_NEAR(CheckedLength(grid, path), expected, 1e-4) << "grid " << n;
        }
    }
}

TEST_F(AStar, ObstacleGoalsStartsAtTheGoalAndCellsOffTheGrid) {
    PlanGrid grid;
    RobotPath path;
    Load(grid, {"S...", "..XX", "..XG"});
    grid.goal = {0.0, 1, 3};  // an obstacle
    EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_NO_PATH);

    grid.searchStarted = 0;
    grid.goal = grid.start;
    EXPECT_EQ(PlanPath(grid, path, 0, 2), PLAN_FOUND);
    ASSERT_EQ(path.count, 1);
    EXPECT_EQ(path.rows[0], 0);
    EXPECT_EQ(path.cols[0], 0);

    for (GridNode outside : {GridNode{0.0, 3, 0}, GridNode{0.0, 0, -1}}) {
        grid.searchStarted = 0;
        grid.goal = outside;
        EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_NO_PATH);
    }
    PlanGrid empty;  // no map loaded
    EXPECT_EQ(PlanPath(empty, path, 0, 0), PLAN_NO_PATH);
}

TEST_F(AStar, PathsAndOpenListsThatOutgrowTheirRoomGiveNoPath) {
    PlanGrid grid;
    RobotPath path;
    std::string corridor(planner_limits::PATH_POINTS + 1, '.');
    corridor.front() = 'S';
    corridor.back() = 'G';
    Load(grid, {corridor});
    EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_NO_PATH);
    EXPECT_EQ(path.count, 0);
    corridor.pop_back();
    corridor.back() = 'G';
    Load(grid, {corridor});
    EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_FOUND);
    EXPECT_EQ(path.count, planner_limits::PATH_POINTS);

    // A long hall towards a walled-off goal: every step leaves two side cells open, until the
    // open list is full long before the hall's end.
    std::vector<std::string> hall(1200, "...");
    hall[0][1] = 'S';
    hall[1198] = "XXX";
    hall[1199][1] = 'G';
    Load(grid, hall);
    EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_NO_PATH);
    EXPECT_EQ(grid.closed[1100][1], 0);                   // given up before the far end was reached
    EXPECT_EQ(PlanPath(grid, path, 0, 0), PLAN_NO_PATH);  // and stays so

    // The open list holds 1999 cells; the 2000th is refused.
    OpenList open;
    open.IndexCells(2000);
    for (int32_t cell = 0; cell < 1999; ++cell) ASSERT_TRUE(open.Push({1.0f + cell, cell}));
    EXPECT_FALSE(open.Push({1.0f, 1999}));
    EXPECT_EQ(open.Top().cell, 0);
}

TEST_F(AStar, SlicedSearchesResumeToTheSamePath) {
    const std::vector<std::string> picture = {"S.........", "XXXXXXXX..", "..........",
                                              "..XXXXXXXX", "..........", ".XXXXX.XX.",
                                              "....X....G"};
    PlanGrid whole;
    RobotPath wholePath;
    Load(whole, picture);
    ASSERT_EQ(PlanPath(whole, wholePath, 0, 0), PLAN_FOUND);  // the fake clock never runs out

    // A budget below zero is spent after every expansion: one cell per call. Two grids are
    // searched in turns, each on its own open list.
    PlanGrid a, b;
    RobotPath pathA, pathB;
    Load(a, picture);
    Load(b, picture);
    int resultA = PLAN_PENDING, resultB = PLAN_PENDING, calls = 0;
    while (resultA == PLAN_PENDING || resultB == PLAN_PENDING) {
        if (resultA == PLAN_PENDING) resultA = PlanPath(a, pathA, -1, 0);
        if (resultB == PLAN_PENDING) resultB = PlanPath(b, pathB, -1, 0);
        platform::AdvanceFakeClock(16);
        ASSERT_LT(++calls, 1000);
    }
    EXPECT_GT(calls, 20);
    ASSERT_EQ(resultA, PLAN_FOUND);
    ASSERT_EQ(resultB, PLAN_FOUND);
    for (const RobotPath* p : {&pathA, &pathB}) {
        ASSERT_EQ(p->count, wholePath.count);
        for (int i = 0; i < p->count; ++i) {
            EXPECT_EQ(p->rows[i], wholePath.rows[i]);
            EXPECT_EQ(p->cols[i], wholePath.cols[i]);
        }
    }
}

// Runs a search one cell per call (a budget below zero) until it ends.
int SearchCellByCell(PlanGrid& grid, RobotPath& path) {
    int result = PLAN_PENDING;
    for (int calls = 0; result == PLAN_PENDING && calls < 1000; ++calls)
        result = PlanPath(grid, path, -1, 0);
    return result;
}

TEST_F(AStar, EachCallOfASearchTakesTheCellsAsTheyStandThen) {
    // A footprint painted on a corridor after the first call closes it.
    PlanGrid grid;
    RobotPath path;
    Load(grid, {"S.........G"});
    ASSERT_EQ(PlanPath(grid, path, -1, 0), PLAN_PENDING);
    grid.cells[0][6] = CELL_FOOTPRINT;
    EXPECT_EQ(SearchCellByCell(grid, path), PLAN_NO_PATH);

    // One that stood during the first call only does not.
    Load(grid, {"S.........G"});
    grid.cells[0][6] = CELL_FOOTPRINT;
    ASSERT_EQ(PlanPath(grid, path, -1, 0), PLAN_PENDING);
    grid.cells[0][6] = CELL_FREE;
    EXPECT_EQ(SearchCellByCell(grid, path), PLAN_FOUND);
    EXPECT_EQ(path.count, 11);
}

void SetPath(RobotPath& path, const std::vector<GridCell>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        path.rows[i] = points[i].row;
        path.cols[i] = points[i].col;
    }
    path.count = static_cast<int32_t>(points.size());
}

std::vector<GridCell> Points(const RobotPath& path) {
    std::vector<GridCell> out;
    for (int i = 0; i < path.count; ++i) out.push_back({path.rows[i], path.cols[i]});
    return out;
}

TEST_F(AStar, ImprovedPathsDropCollinearPointsAndKeepLineOfSight) {
    PlanGrid grid;
    RobotPath path;
    Load(grid, {"S.......G"});
    ASSERT_EQ(PlanPath(grid, path, 0, 0), PLAN_FOUND);
    EXPECT_EQ(path.count, 9);
    for (int improved : {1, 2}) {
        grid.searchStarted = 0;
        ASSERT_EQ(PlanPath(grid, path, 0, improved), PLAN_FOUND);
        EXPECT_EQ(Points(path), (std::vector<GridCell>{{0, 0}, {0, 8}})) << improved;
    }

    SetPath(path, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {2, 4}, {2, 5}});
    DropCollinearPoints(path);
    EXPECT_EQ(Points(path), (std::vector<GridCell>{{0, 0}, {0, 2}, {2, 4}, {2, 5}}));

    // On an open floor a path whose rows and columns only grow keeps the start and the goal.
    Load(grid, {"S.........", "..........", "..........", "..........", ".........G"});
    ASSERT_EQ(PlanPath(grid, path, 0, 2), PLAN_FOUND);
    EXPECT_EQ(Points(path), (std::vector<GridCell>{{0, 0}, {4, 9}}));

    // Around obstacles every kept point sees the next one, and the ends stay.
    const std::vector<std::string> maze = {"S.....X...", "......X...", "..XX..X...",
                                           "..X.......", "..X...XXX.", "......X..G"};
    Load(grid, maze);
    ASSERT_EQ(PlanPath(grid, path, 0, 1), PLAN_FOUND);
    int32_t thinned = path.count;
    Load(grid, maze);
    ASSERT_EQ(PlanPath(grid, path, 0, 2), PLAN_FOUND);
    EXPECT_LE(path.count, thinned);
    EXPECT_GE(path.count, 2);
    EXPECT_TRUE((Points(path).front() == GridCell{0, 0}));
    EXPECT_TRUE((Points(path).back() == GridCell{5, 9}));
    for (int i = 1; i < path.count; ++i) {
        EXPECT_TRUE(
            LineOfSight(grid, {path.rows[i - 1], path.cols[i - 1]}, {path.rows[i], path.cols[i]}))
            << "leg " << i;
    }
}

// The first blocked cell that the straight leg from the centre of a to the centre of b touches,
// found by sampling the leg finely enough to stop inside every cell it crosses and on every cell
// corner it meets; at a corner all four cells around it count. {-1, -1} when there is none.
GridCell FirstBlockedCellOnLeg(const PlanGrid& grid, GridCell a, GridCell b) {
    const int64_t rows = b.row - a.row;
    const int64_t cols = b.col - a.col;
    const int64_t steps =
        4 * std::max<int64_t>(1, std::abs(rows)) * std::max<int64_t>(1, std::abs(cols));
    // The cells whose closed extent holds the coordinate (from + k * delta / steps): one, or the
    // two beside a cell side.
    auto cellsAt = [steps](int64_t from, int64_t delta, int64_t k) {
        const int64_t twice = 2 * (from * steps + k * delta) + steps;  // in halves of a step
        const int64_t cell =
            twice >= 0 ? twice / (2 * steps) : -((-twice + 2 * steps - 1) / (2 * steps));
        std::vector<int64_t> cells = {cell};
        if (twice % (2 * steps) == 0) cells.push_back(cell - 1);
        return cells;
    };
    for (int64_t k = 0; k <= steps; ++k) {
        for (int64_t r : cellsAt(a.row, rows, k)) {
            for (int64_t c : cellsAt(a.col, cols, k)) {
                if (!CellPassable(grid, static_cast<int32_t>(r), static_cast<int32_t>(c))) {
                    return {static_cast<int32_t>(r), static_cast<int32_t>(c)};
                }
            }
        }
    }
    return {-1, -1};
}

void ExpectLegsCrossNoBlockedCell(const PlanGrid& grid, const RobotPath& path,
                                  const std::string& where) {
    for (int i = 1; i < path.count; ++i) {
        const GridCell a{path.rows[i - 1], path.cols[i - 1]};
        const GridCell b{path.rows[i], path.cols[i]};
        const GridCell hit = FirstBlockedCellOnLeg(grid, a, b);
        EXPECT_TRUE((hit == GridCell{-1, -1}))
            << where << ": leg (" << a.row << ", " << a.col << ") -> (" << b.row << ", " << b.col
            << ") crosses the blocked cell (" << hit.row << ", " << hit.col << ")";
    }
}

TEST_F(AStar, LineOfSightCountsTheCellsAtExactCorners) {
    PlanGrid grid;
    // A diagonal passes from corner to corner: each cell it leaves that way is tested.
    for (GridCell blocked : {GridCell{1, 1}, GridCell{2, 2}, GridCell{1, 0}, GridCell{2, 3}}) {
        Load(grid, {"....", "....", "....", "...."});
        grid.cells[blocked.row][blocked.col] = CELL_OBSTACLE;
        EXPECT_FALSE(LineOfSight(grid, {0, 0}, {3, 3})) << blocked.row << ", " << blocked.col;
        EXPECT_FALSE(LineOfSight(grid, {3, 3}, {0, 0})) << blocked.row << ", " << blocked.col;
    }
    // From (0, 0) to (1, 3) the line leaves (0, 1) through its corner, between (0, 2) and (1, 1).
    for (GridCell blocked : {GridCell{0, 1}, GridCell{0, 2}, GridCell{1, 1}}) {
        Load(grid, {"....", "...."});
        grid.cells[blocked.row][blocked.col] = CELL_OBSTACLE;
        EXPECT_FALSE(LineOfSight(grid, {0, 0}, {1, 3})) << blocked.row << ", " << blocked.col;
        EXPECT_FALSE(LineOfSight(grid, {1, 3}, {0, 0})) << blocked.row << ", " << blocked.col;
    }
    Load(grid, {"...X", "X..."});
    EXPECT_TRUE(LineOfSight(grid, {0, 0}, {1, 3}));

    // A smoothed path around the blocked (2, 2) keeps off it.
    RobotPath path;
    Load(grid, {"S...", "....", "..X.", "...G"});
    ASSERT_EQ(PlanPath(grid, path, 0, 2), PLAN_FOUND);
    ExpectLegsCrossNoBlockedCell(grid, path, "around (2, 2)");
}

TEST_F(AStar, SmoothedPathsOnRandomGridsKeepToRawPathPointsAndCrossNoObstacle) {
    std::mt19937 random(30);
    int smoothed = 0;
    for (int n = 0; n < 300; ++n) {
        const std::vector<std::string> picture = RandomPicture(random, 16, 30);
        if (picture.empty()) continue;
        PlanGrid grid;
        RobotPath raw;
        RobotPath path;
        Load(grid, picture);
        if (PlanPath(grid, raw, 0, 0) != PLAN_FOUND) continue;
        Load(grid, picture);
        ASSERT_EQ(PlanPath(grid, path, 0, 2), PLAN_FOUND) << "grid " << n;
        const std::string where = "grid " + std::to_string(n);
        // The smoothed points are raw path points, in order, from the start to the goal.
        int at = 0;
        for (int i = 0; i < path.count; ++i) {
            while (at < raw.count &&
                   !(raw.rows[at] == path.rows[i] && raw.cols[at] == path.cols[i]))
                ++at;
            ASSERT_LT(at, raw.count) << where << ": point " << i << " is not on the raw path";
        }
        EXPECT_TRUE((Points(path).front() == Points(raw).front())) << where;
        EXPECT_TRUE((Points(path).back() == Points(raw).back())) << where;
        ExpectLegsCrossNoBlockedCell(grid, path, where);
        smoothed += path.count < raw.count ? 1 : 0;
    }
    EXPECT_GT(smoothed, 100);
}

TEST_F(AStar, LineOfSightAlongRowsColumnsAndSlopes) {
    PlanGrid grid;
    Load(grid, {"......", "...X..", "......", "T.....", "......"});
    EXPECT_TRUE(LineOfSight(grid, {0, 0}, {0, 5}));   // along a row
    EXPECT_FALSE(LineOfSight(grid, {1, 0}, {1, 5}));  // through the obstacle
    EXPECT_TRUE(LineOfSight(grid, {1, 5}, {1, 3}));   // the end point is not tested
    EXPECT_FALSE(LineOfSight(grid, {0, 3}, {4, 3}));  // along a column
    EXPECT_FALSE(LineOfSight(grid, {4, 0}, {0, 0}));  // through a footprint
    EXPECT_FALSE(LineOfSight(grid, {0, 1}, {2, 5}));
    EXPECT_TRUE(LineOfSight(grid, {2, 0}, {4, 5}));
    EXPECT_FALSE(LineOfSight(grid, {0, 0}, {0, 9}));  // off the grid counts as blocked
}

// Searches by `plan` on seeded random grids, small and large, each written as one line: the grid,
// the result, and the points of the raw and of the thinned path.
using Planner = int (*)(PlanGrid&, RobotPath&, int32_t, int32_t);
std::vector<std::string> SeededSearches(Planner plan) {
    std::vector<std::string> lines;
    std::mt19937 random(2024);
    auto search = [&lines, plan](PlanGrid& grid, int number, GridCell a, GridCell b) {
        std::ostringstream line;
        line << number << " " << a.row << "," << a.col << " " << b.row << "," << b.col;
        for (int improved : {0, 1}) {
            grid.start = {0.0, a.row, a.col};
            grid.goal = {0.0, b.row, b.col};
            grid.searchStarted = 0;
            RobotPath path;
            line << " | " << plan(grid, path, 0, improved) << ":";
            for (int i = 0; i < path.count; ++i) line << " " << path.rows[i] << "," << path.cols[i];
        }
        lines.push_back(line.str());
    };
    for (int n = 0; n < 40; ++n) {
        const int size = 8 + static_cast<int>(random() % 40);
        const unsigned blocked = 10 + random() % 30;
        PlanGrid grid;
        ResizePlanGrid(grid, size, size);
        for (int r = 0; r < size; ++r) {
            for (int c = 0; c < size; ++c)
                grid.cells[r][c] = random() % 100 < blocked ? CELL_OBSTACLE : CELL_FREE;
        }
        for (int k = 0; k < 3; ++k) {
            GridCell a{static_cast<int32_t>(random() % size),
                       static_cast<int32_t>(random() % size)};
            GridCell b{static_cast<int32_t>(random() % size),
                       static_cast<int32_t>(random() % size)};
            grid.cells[a.row][a.col] = grid.cells[b.row][b.col] = CELL_FREE;
            search(grid, n, a, b);
        }
    }
    // A large grid: long searches whose open lists hold hundreds of cells.
    PlanGrid grid;
    constexpr int SIZE = 256;
    ResizePlanGrid(grid, SIZE, SIZE);
    for (int r = 0; r < SIZE; ++r) {
        for (int c = 0; c < SIZE; ++c)
            grid.cells[r][c] = random() % 5 == 0 ? CELL_OBSTACLE : CELL_FREE;
    }
    for (int k = 0; k < 30; ++k) {
        GridCell a{static_cast<int32_t>(random() % SIZE), static_cast<int32_t>(random() % SIZE)};
        GridCell b{
            std::clamp<int32_t>(a.row + static_cast<int32_t>(random() % 141) - 70, 0, SIZE - 1),
            std::clamp<int32_t>(a.col + static_cast<int32_t>(random() % 141) - 70, 0, SIZE - 1)};
        grid.cells[a.row][a.col] = grid.cells[b.row][b.col] = CELL_FREE;
        search(grid, 40 + k, a, b);
    }
    return lines;
}

// The seeded searches give the paths stored in tests/data/planner, with the neighbours tested as
// this machine's game tests them and a move at a time, as on every architecture;
// DUSK_UPDATE_GOLDEN=1 writes them anew.
TEST_F(AStar, SeededSearchesKeepTheirStoredPaths) {
    const std::vector<std::string> lines = SeededSearches(PlanPath);
    const std::filesystem::path stored =
        std::filesystem::path(DUSK_TEST_DATA) / "planner" / "seeded_paths.txt";
    const char* update = std::getenv("DUSK_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(stored.parent_path());
        std::ofstream out(stored);
        for (const std::string& line : lines) out << line << "\n";
        return;
    }
    std::ifstream in(stored);
    ASSERT_TRUE(in) << stored;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]);
    EXPECT_TRUE(SeededSearches(PlanPathMoveByMove) == expected);
}

}  // namespace
