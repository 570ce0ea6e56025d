// The occupancy grid each robot plans on: cell codes, the search state of the A* search and the
// conversion between world positions and cells.
// World x runs along the rows, world z along the columns.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planner/allocators.h"
#include "planner/open_list.h"

// A search-state matrix over the grid's cells with a border of one cell all round, in one
// block row by row: read as [row][col] (rows and columns -1 .. size), or by cell number through
// the block (CellNumber), as the search does. The border stays as cleared; one more value
// after the block lets the search read four values from any cell of the border.
template <typename T>
class CellMatrix {
public:
    // Holds (rows + 2) x (cols + 2) + 1 cleared values; a block that cannot be had is reported as a
    // matrix row that cannot be, and the program ends.
    void Assign(int32_t rows, int32_t cols);
    void Free() {
        values_ = {};
        stride_ = 0;
    }
    T* operator[](int32_t row) { return data() + Offset(row); }
    const T* operator[](int32_t row) const { return data() + Offset(row); }
    T* data() { return values_.data(); }
    const T* data() const { return values_.data(); }
    std::size_t size() const { return values_.size(); }

private:
    std::size_t Offset(int32_t row) const {
        return static_cast<std::size_t>(row + 1) * static_cast<std::size_t>(stride_) + 1;
    }
    std::vector<T> values_;
    int32_t stride_ = 0;  // cols + 2
};

// Cell codes. Every code other than the two obstacles is passable.
constexpr int32_t CELL_FREE = 0;
constexpr int32_t CELL_OBSTACLE = -1;   // from the map file
constexpr int32_t CELL_FOOTPRINT = -2;  // another body, painted for one search call

struct PlanGrid {
    CellMatrix<int32_t> parentRow;  // each cell's parent in the search tree
    CellMatrix<int32_t> parentCol;
    CellMatrix<uint8_t> closed;  // 1 once the cell has been expanded
    int32_t cols = 0;
    int32_t rows = 0;
    CellMatrix<float> f;         // g + heuristic; 0: never reached
    CellMatrix<float> g;         // cost from the start
    RangeMatrix<int32_t> cells;  // cell codes
    double cellSize = 0.0;       // world units per cell
    int32_t originRow = 0;       // the row of world x = 0
    int32_t originCol = 0;       // the column of world z = 0
    GridNode start;
    GridNode goal;
    GridNode current;              // the cell being expanded
    int32_t searchStarted = 0;     // 1 once the search for the current goal has begun
    OpenList open;                 // this grid's own open list
    std::vector<int32_t> reached;  // cells (CellNumber) given an f since the last reset: the
    int32_t reachedCount = 0;      // first reachedCount, with room for every cell
    CellMatrix<uint8_t> passable;  // 1 where the search may step, 0 where not (the border too);
                                   // each search call takes its rows anew from the codes when
                                   // it first needs them

    PlanGrid() = default;
    PlanGrid(const PlanGrid&) = delete;
    PlanGrid& operator=(const PlanGrid&) = delete;
    ~PlanGrid();
};

// A planned route: points 0 (the start cell) .. count - 1 (the goal cell).
struct RobotPath {
    RangeVector<int32_t> rows;  // indices 0 .. PATH_POINTS - 1
    RangeVector<int32_t> cols;
    int32_t count = 0;

    RobotPath();
    RobotPath(const RobotPath&) = delete;
    RobotPath& operator=(const RobotPath&) = delete;
    ~RobotPath();
};

struct GridCell {
    int32_t row = 0;
    int32_t col = 0;
};

struct WorldPoint {
    float x = 0.0f;
    float z = 0.0f;
};

// A cell's number in the search-state matrices: its place in their bordered blocks.
inline int32_t CellStride(const PlanGrid& grid) { return grid.cols + 2; }
inline int32_t CellNumber(const PlanGrid& grid, int32_t row, int32_t col) {
    return (row + 1) * CellStride(grid) + col + 1;
}

inline bool CellInGrid(const PlanGrid& grid, int32_t row, int32_t col) {
    return grid.cells && row >= 0 && row < grid.rows && col >= 0 && col < grid.cols;
}
// Inside the grid and neither kind of obstacle.
inline bool CellPassable(const PlanGrid& grid, int32_t row, int32_t col) {
    if (!CellInGrid(grid, row, col)) return false;
    int32_t code = grid.cells[row][col];
    return code != CELL_OBSTACLE && code != CELL_FOOTPRINT;
}

// Truncates toward zero; positions that fall outside the grid give cells outside it.
GridCell WorldToCell(const PlanGrid& grid, double x, double z);
// The cell's low corner in world units.
WorldPoint CellToWorld(const PlanGrid& grid, int32_t row, int32_t col);

// Clears f, g and closed of every cell.
void ResetPlanGrid(PlanGrid& grid);
// Clears f, g and closed of the cells reached since the last reset, the only ones that are set.
void ResetReachedCells(PlanGrid& grid);
// Frees the matrices and allocates them for the new size, with f, g and closed cleared.
void ResizePlanGrid(PlanGrid& grid, int32_t rows, int32_t cols);
