// A* on a 256 x 256 grid with one cell in five an obstacle: searches per second, each a full
// search (one call with an unlimited budget) between start and goal cells of the grid.
#include <benchmark/benchmark.h>

#include <climits>
#include <random>
#include <vector>

#include "planner/astar.h"

namespace {

constexpr int SIZE = 256;

void FillRandomGrid(PlanGrid& grid) {
    ResizePlanGrid(grid, SIZE, SIZE);
    std::mt19937 random(1234);
    for (int r = 0; r < SIZE; ++r) {
        for (int c = 0; c < SIZE; ++c)
            grid.cells[r][c] = random() % 5 == 0 ? CELL_OBSTACLE : CELL_FREE;
    }
}

// Free start and goal cells anywhere on the grid, at most `reach` cells apart in rows and in
// columns (a path holds at most 101 points).
std::vector<std::pair<GridCell, GridCell>> RandomPairs(const PlanGrid& grid, int reach) {
    std::mt19937 random(99);
    std::vector<std::pair<GridCell, GridCell>> pairs;
    while (pairs.size() < 64) {
        GridCell a{static_cast<int32_t>(random() % SIZE), static_cast<int32_t>(random() % SIZE)};
        GridCell b{a.row + static_cast<int32_t>(random() % (2 * reach + 1)) - reach,
                   a.col + static_cast<int32_t>(random() % (2 * reach + 1)) - reach};
        if (CellPassable(grid, a.row, a.col) && CellPassable(grid, b.row, b.col))
            pairs.push_back({a, b});
    }
    return pairs;
}

void Run(benchmark::State& state, PlanGrid& grid,
         const std::vector<std::pair<GridCell, GridCell>>& pairs) {
    RobotPath path;
    std::size_t next = 0;
    int64_t found = 0;
    for (auto _ : state) {
        const auto& [a, b] = pairs[next++ % pairs.size()];
        grid.start = {0.0, a.row, a.col};
        grid.goal = {0.0, b.row, b.col};
        grid.searchStarted = 0;
        int result = PlanPath(grid, path, INT_MAX, 2);
        found += result == PLAN_FOUND;
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["found"] = benchmark::Counter(static_cast<double>(found) / state.iterations());
}

void BM_AStarRandomPairs(benchmark::State& state) {
    PlanGrid grid;
    FillRandomGrid(grid);
    Run(state, grid, RandomPairs(grid, 80));
}
BENCHMARK(BM_AStarRandomPairs);

// Corner to corner across the whole grid: the search reaches the goal after expanding about
// 28,600 cells, but the route (342 points) is longer than a path may be, so it ends in "no
// path" (found=0).
void BM_AStarCornerToCorner(benchmark::State& state) {
    PlanGrid grid;
    FillRandomGrid(grid);
    grid.cells[0][0] = grid.cells[SIZE - 1][SIZE - 1] = CELL_FREE;
    Run(state, grid, {{{0, 0}, {SIZE - 1, SIZE - 1}}});
}
BENCHMARK(BM_AStarCornerToCorner);

}  // namespace
