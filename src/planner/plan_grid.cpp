// The planner grid: its matrices, cell tests and the world-to-cell conversions.
#include "planner/plan_grid.h"

#include <cmath>

#include "planner/limits.h"

namespace {

// A cell index from a world coordinate: truncated toward zero and held in the int32 range;
// an undefined value gives a cell far outside any grid.
int32_t CellIndex(double v) {
    if (std::isnan(v) || v <= -2147483648.0) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(v);
}

void FreeMatrices(PlanGrid& g) {
    long last = g.rows - 1, lastCol = g.cols - 1;
    release_imatrix(g.parentRow, 0, last, 0, lastCol);
    release_imatrix(g.parentCol, 0, last, 0, lastCol);
    release_imatrix(g.cells, 0, last, 0, lastCol);
    release_matrix(g.f, 0, last, 0, lastCol);
    release_matrix(g.g, 0, last, 0, lastCol);
    release_imatrix(g.closed, 0, last, 0, lastCol);
}

}  // namespace

PlanGrid::~PlanGrid() { FreeMatrices(*this); }

RobotPath::RobotPath()
    : rows(ivector(0, planner_limits::PATH_POINTS - 1)),
      cols(ivector(0, planner_limits::PATH_POINTS - 1)) {}

RobotPath::~RobotPath() {
    release_ivector(rows, 0, planner_limits::PATH_POINTS - 1);
    release_ivector(cols, 0, planner_limits::PATH_POINTS - 1);
}

GridCell WorldToCell(const PlanGrid& grid, double x, double z) {
    return {CellIndex(x / grid.cellSize + grid.originRow), CellIndex(z / grid.cellSize + grid.originCol)};
}

WorldPoint CellToWorld(const PlanGrid& grid, int32_t row, int32_t col) {
    return {static_cast<float>((int64_t{row} - grid.originRow) * grid.cellSize),
            static_cast<float>((int64_t{col} - grid.originCol) * grid.cellSize)};
}

void ResetPlanGrid(PlanGrid& grid) {
    if (!grid.cells) return;
    for (int32_t r = 0; r < grid.rows; ++r) {
        for (int32_t c = 0; c < grid.cols; ++c) {
            grid.f[r][c] = 0.0f;
            grid.g[r][c] = 0.0f;
            grid.closed[r][c] = 0;
        }
    }
    grid.reached.clear();
}

void ResetReachedCells(PlanGrid& grid) {
    for (const int32_t cell : grid.reached) {
        const int32_t r = cell / grid.cols, c = cell % grid.cols;
        grid.f[r][c] = 0.0f;
        grid.g[r][c] = 0.0f;
        grid.closed[r][c] = 0;
    }
    grid.reached.clear();
}

void ResizePlanGrid(PlanGrid& grid, int32_t rows, int32_t cols) {
    grid.searchStarted = 0;
    FreeMatrices(grid);
    grid.rows = rows;
    grid.cols = cols;
    long last = rows - 1, lastCol = cols - 1;
    grid.parentRow = imatrix(0, last, 0, lastCol);
    grid.parentCol = imatrix(0, last, 0, lastCol);
    grid.cells = imatrix(0, last, 0, lastCol);
    grid.f = matrix(0, last, 0, lastCol);
    grid.g = matrix(0, last, 0, lastCol);
    grid.closed = imatrix(0, last, 0, lastCol);
    grid.open.IndexCells(rows, cols);
    ResetPlanGrid(grid);
}
