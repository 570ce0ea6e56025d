// The planner grid: its matrices, cell tests and the world-to-cell conversions.
#include "planner/plan_grid.h"

#include <cmath>
#include <new>
#include <type_traits>

#include "planner/limits.h"
#include "planner/messages.h"

namespace {

// A cell index from a world coordinate: truncated toward zero and held in the int32 range;
// an undefined value gives a cell far outside any grid.
int32_t CellIndex(double v) {
    if (std::isnan(v) || v <= -2147483648.0) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(v);
}

void FreeMatrices(PlanGrid& g) {
    g.parentRow.Free();
    g.parentCol.Free();
    release_imatrix(g.cells, 0, g.rows - 1, 0, g.cols - 1);
    g.f.Free();
    g.g.Free();
    g.closed.Free();
    g.passable.Free();
}

void ClearCell(PlanGrid& grid, std::size_t cell) {
    grid.f.data()[cell] = 0.0f;
    grid.g.data()[cell] = 0.0f;
    grid.closed.data()[cell] = 0;
}

}  // namespace

template <typename T>
void CellMatrix<T>::Assign(int32_t rows, int32_t cols) {
    try {
        values_.assign(
            (static_cast<std::size_t>(rows) + 2) * (static_cast<std::size_t>(cols) + 2) + 1, T{});
    } catch (const std::bad_alloc&) {
        ReportAllocError(std::is_same_v<T, float> ? planner_messages::ALLOC_MATRIX_ROW
                                                  : planner_messages::ALLOC_IMATRIX_ROW);
    }
    stride_ = cols + 2;
}

template class CellMatrix<int32_t>;
template class CellMatrix<uint8_t>;
template class CellMatrix<float>;

PlanGrid::~PlanGrid() { FreeMatrices(*this); }

RobotPath::RobotPath()
    : rows(ivector(0, planner_limits::PATH_POINTS - 1)),
      cols(ivector(0, planner_limits::PATH_POINTS - 1)) {}

RobotPath::~RobotPath() {
    release_ivector(rows, 0, planner_limits::PATH_POINTS - 1);
    release_ivector(cols, 0, planner_limits::PATH_POINTS - 1);
}

GridCell WorldToCell(const PlanGrid& grid, double x, double z) {
    return {CellIndex(x / grid.cellSize + grid.originRow),
            CellIndex(z / grid.cellSize + grid.originCol)};
}

WorldPoint CellToWorld(const PlanGrid& grid, int32_t row, int32_t col) {
    return {static_cast<float>((int64_t{row} - grid.originRow) * grid.cellSize),
            static_cast<float>((int64_t{col} - grid.originCol) * grid.cellSize)};
}

void ResetPlanGrid(PlanGrid& grid) {
    if (!grid.cells) return;
    for (std::size_t cell = 0; cell < grid.f.size(); ++cell) ClearCell(grid, cell);
    grid.reachedCount = 0;
}

void ResetReachedCells(PlanGrid& grid) {
    for (int32_t i = 0; i < grid.reachedCount; ++i)
        ClearCell(grid, static_cast<std::size_t>(grid.reached[i]));
    grid.reachedCount = 0;
}

void ResizePlanGrid(PlanGrid& grid, int32_t rows, int32_t cols) {
    grid.searchStarted = 0;
    FreeMatrices(grid);
    grid.rows = rows;
    grid.cols = cols;
    grid.cells = imatrix(0, rows - 1, 0, cols - 1);
    grid.parentRow.Assign(rows, cols);
    grid.parentCol.Assign(rows, cols);
    grid.f.Assign(rows, cols);
    grid.g.Assign(rows, cols);
    grid.closed.Assign(rows, cols);
    grid.passable.Assign(rows, cols);
    grid.open.IndexCells(grid.f.size());
    grid.reached.assign(grid.f.size(), 0);
    grid.reachedCount = 0;
}
