// Thinning and smoothing of a planned path.
#include "planner/path_smoothing.h"

#include <cstdlib>

namespace {

int Sign(int32_t v) { return (v > 0) - (v < 0); }

GridCell Point(const RobotPath& p, int32_t i) { return {p.rows[i], p.cols[i]}; }

void CopyPoint(RobotPath& p, int32_t from, int32_t to) {
    p.rows[to] = p.rows[from];
    p.cols[to] = p.cols[from];
}

bool Blocked(const PlanGrid& grid, int32_t row, int32_t col) {
    return !CellPassable(grid, row, col);
}

}  // namespace

void DropCollinearPoints(RobotPath& path) {
    if (path.count < 3) return;
    int32_t stepRow = path.rows[1] - path.rows[0];
    int32_t stepCol = path.cols[1] - path.cols[0];
    int32_t kept = 1;
    for (int32_t j = 2; j < path.count; ++j) {
        int32_t dr = path.rows[j] - path.rows[j - 1];
        int32_t dc = path.cols[j] - path.cols[j - 1];
        if (dr != stepRow || dc != stepCol) {
            CopyPoint(path, j - 1, kept++);
            stepRow = dr;
            stepCol = dc;
        }
    }
    CopyPoint(path, path.count - 1, kept);
    path.count = kept + 1;
}

void SmoothPathLineOfSight(const PlanGrid& grid, RobotPath& path) {
    const int32_t count = path.count;
    if (count <= 2) return;
    int32_t anchor = 0;
    int32_t kept = 1;
    int dr = path.rows[1] - path.rows[0];
    int dc = path.cols[1] - path.cols[0];
    int32_t k = 2;
    while (anchor < count - 1) {
        // The end of the path counts as a reversal of direction.
        bool reversal = k >= count;
        int sr = 0, sc = 0;
        if (!reversal) {
            sr = path.rows[k] - path.rows[k - 1];
            sc = path.cols[k] - path.cols[k - 1];
            reversal = Sign(dr) * Sign(sr) == -1 || Sign(dc) * Sign(sc) == -1;
        }
        if (reversal) {
            --k;
            int32_t next = anchor + 1;
            for (int32_t j = k; j >= anchor + 2; --j) {
                if (LineOfSight(grid, Point(path, anchor), Point(path, j))) {
                    next = j;
                    break;
                }
            }
            CopyPoint(path, next, kept++);
            anchor = k = next;
            if (anchor < count - 1) {
                dr = path.rows[anchor + 1] - path.rows[anchor];
                dc = path.cols[anchor + 1] - path.cols[anchor];
            }
        } else {
            if (sr != 0) dr = Sign(sr);
            if (sc != 0) dc = Sign(sc);
        }
        ++k;
    }
    path.count = kept;
}

// Walks the cells the straight line from the centre of a to the centre of b passes through,
// from a, one cell side at a time; b itself is not tested. Where the line meets a cell corner
// exactly it squeezes between the two cells beside that corner, and both of them count.
bool LineOfSight(const PlanGrid& grid, GridCell a, GridCell b) {
    const int er = Sign(b.row - a.row);
    const int ec = Sign(b.col - a.col);
    const int64_t rows = std::abs(int64_t{b.row} - a.row);
    const int64_t cols = std::abs(int64_t{b.col} - a.col);
    int32_t row = a.row;
    int32_t col = a.col;
    int64_t rowSides = 0;  // row and column sides crossed so far
    int64_t colSides = 0;
    while (rowSides < rows || colSides < cols) {
        if (Blocked(grid, row, col)) return false;
        // The next row side lies (2 rowSides + 1) / (2 rows) of the way along, the next column
        // side (2 colSides + 1) / (2 cols): the nearer one is crossed first.
        const int64_t order = (2 * rowSides + 1) * cols - (2 * colSides + 1) * rows;
        if (order == 0) {
            if (Blocked(grid, row + er, col) || Blocked(grid, row, col + ec)) return false;
        }
        if (order <= 0) {
            row += er;
            ++rowSides;
        }
        if (order >= 0) {
            col += ec;
            ++colSides;
        }
    }
    return true;
}
