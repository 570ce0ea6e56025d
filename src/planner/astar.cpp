// The time-sliced A* search.
#include "planner/astar.h"

#include <algorithm>
#include <cmath>

#include "planner/limits.h"
#include "planner/path_smoothing.h"
#include "platform/clock.h"

namespace {

using planner_limits::DIAGONAL_COST;
using planner_limits::KEY_BASE;
using planner_limits::STRAIGHT_COST;

// Straight distance in cells to the goal.
double Heuristic(const PlanGrid& g, int32_t row, int32_t col) {
    double dc = static_cast<double>(col) - g.goal.col;
    double dr = static_cast<double>(row) - g.goal.row;
    return std::sqrt(dc * dc + dr * dr);
}

// The grid's search state as flat blocks indexed by cell number, and the cell codes' rows.
struct SearchCells {
    explicit SearchCells(PlanGrid& grid)
        : grid(grid), f(grid.f.data()), g(grid.g.data()), closed(grid.closed.data()),
          parentRow(grid.parentRow.data()), parentCol(grid.parentCol.data()) {}
    PlanGrid& grid;
    float* f;
    float* g;
    uint8_t* closed;
    int32_t* parentRow;
    int32_t* parentCol;
};

// Offers cell `to` (row tr, column tc) a route through `from`; false when the open list has no
// room for it.
bool Relax(SearchCells& s, int32_t from, int32_t fr, int32_t fc, int32_t to, int32_t tr, int32_t tc,
           double cost) {
    float& f = s.f[to];
    float& cost0 = s.g[to];
    double newG = static_cast<double>(s.g[from]) + cost;
    if (f != 0.0f) {
        double newF = newG + static_cast<double>(f - cost0);
        if (!(newF < f)) return true;
        cost0 = static_cast<float>(newG);
        f = static_cast<float>(newF);
        s.parentRow[to] = fr;
        s.parentCol[to] = fc;
        OpenEntry entry{f, to};
        if (s.closed[to]) {  // a shorter way to an expanded cell reopens it
            s.closed[to] = 0;
            return s.grid.open.Push(entry);
        }
        return s.grid.open.ChangeKey(entry);
    }
    s.grid.reached.push_back(to);
    cost0 = static_cast<float>(newG);
    f = static_cast<float>(newG + Heuristic(s.grid, tr, tc));
    s.parentRow[to] = fr;
    s.parentCol[to] = fc;
    return s.grid.open.Push({f, to});
}

// The cell codes of row r, or none outside the grid.
const int32_t* CodesOfRow(const PlanGrid& g, int32_t r) {
    return r >= 0 && r < g.rows ? &g.cells[r][0] : nullptr;
}

// Relaxes the passable neighbours of (r, c): the four straight ones, then the diagonals whose
// two straight neighbours are both passable.
bool Expand(SearchCells& s, int32_t r, int32_t c) {
    const PlanGrid& g = s.grid;
    const int32_t cols = g.cols;
    const int32_t at = r * cols + c;
    const int32_t* rows[3] = {CodesOfRow(g, r - 1), CodesOfRow(g, r), CodesOfRow(g, r + 1)};
    auto passable = [&](int32_t dr, int32_t dc) {
        const int32_t* codes = rows[dr + 1];
        if (!codes || c + dc < 0 || c + dc >= cols) return false;
        const int32_t code = codes[c + dc];
        return code != CELL_OBSTACLE && code != CELL_FOOTPRINT;
    };
    auto relax = [&](int32_t dr, int32_t dc, double cost) {
        return Relax(s, at, r, c, at + dr * cols + dc, r + dr, c + dc, cost);
    };
    bool right = passable(0, 1);
    bool left = passable(0, -1);
    bool down = passable(1, 0);
    bool up = passable(-1, 0);
    bool ok = true;
    if (right) ok = ok && relax(0, 1, STRAIGHT_COST);
    if (left) ok = ok && relax(0, -1, STRAIGHT_COST);
    if (down) ok = ok && relax(1, 0, STRAIGHT_COST);
    if (up) ok = ok && relax(-1, 0, STRAIGHT_COST);
    if (right && down && passable(1, 1)) ok = ok && relax(1, 1, DIAGONAL_COST);
    if (left && down && passable(1, -1)) ok = ok && relax(1, -1, DIAGONAL_COST);
    if (right && up && passable(-1, 1)) ok = ok && relax(-1, 1, DIAGONAL_COST);
    if (left && up && passable(-1, -1)) ok = ok && relax(-1, -1, DIAGONAL_COST);
    return ok;
}

// Follows the parent links from the goal back to the start; false when the path would not fit.
bool BuildPath(const PlanGrid& g, RobotPath& path) {
    int32_t n = 0;
    int32_t r = g.goal.row, c = g.goal.col;
    while (r != g.start.row || c != g.start.col) {
        if (n >= planner_limits::PATH_POINTS - 1) return false;  // room for the start as well
        path.rows[n] = r;
        path.cols[n] = c;
        ++n;
        int32_t pr = g.parentRow[r][c], pc = g.parentCol[r][c];
        if (!CellInGrid(g, pr, pc)) return false;
        r = pr;
        c = pc;
    }
    path.rows[n] = r;
    path.cols[n] = c;
    ++n;
    std::reverse(&path.rows[0], &path.rows[0] + n);
    std::reverse(&path.cols[0], &path.cols[0] + n);
    path.count = n;
    return true;
}

int NoPath(PlanGrid& g, RobotPath& path) {
    g.open.Clear();  // the search is over; later calls find nothing more
    path.count = 0;
    return PLAN_NO_PATH;
}

}  // namespace

int PlanPath(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved) {
    const uint32_t t0 = platform::Milliseconds();
    if (!CellInGrid(grid, grid.start.row, grid.start.col) ||
        !CellInGrid(grid, grid.goal.row, grid.goal.col)) {
        path.count = 0;
        return PLAN_NO_PATH;
    }
    SearchCells s(grid);
    if (grid.searchStarted == 0) {
        grid.open.Clear();
        ResetReachedCells(grid);
        if (SameCell(grid.start, grid.goal)) {  // already there: a path of one point
            path.rows[0] = grid.start.row;
            path.cols[0] = grid.start.col;
            path.count = 1;
            return PLAN_FOUND;
        }
        const int32_t r = grid.start.row, c = grid.start.col, at = r * grid.cols + c;
        Relax(s, at, r, c, at, r, c, 0.0);
        grid.current = grid.start;
        s.closed[at] = 1;
        grid.searchStarted = 1;
        if (!Expand(s, r, c)) return NoPath(grid, path);
    }
    // The clock is read after the first expansion of a call and then after every few more.
    bool spent = false;
    for (int32_t expansions = 0; !SameCell(grid.current, grid.goal) && !grid.open.Empty() && !spent;
         ++expansions) {
        const OpenEntry next = grid.open.Pop();
        const int32_t row = next.cell / grid.cols, col = next.cell - row * grid.cols;
        grid.current = {KEY_BASE - next.f, row, col};
        s.closed[next.cell] = 1;
        if (!Expand(s, row, col)) return NoPath(grid, path);
        if (expansions % planner_limits::EXPANSIONS_PER_CLOCK_READ == 0) {
            uint32_t elapsed = platform::Milliseconds() - t0;
            spent = int64_t{elapsed} > budgetMs;
        }
    }
    if (spent) return PLAN_PENDING;
    if (!SameCell(grid.current, grid.goal) || !BuildPath(grid, path)) return NoPath(grid, path);
    if (improved >= 1) DropCollinearPoints(path);
    if (improved >= 2) SmoothPathLineOfSight(grid, path);
    return PLAN_FOUND;
}
