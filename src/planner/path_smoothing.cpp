// Thinning and smoothing of a planned path.
#include "planner/astar.h"

namespace {

int Sign(int32_t v) { return (v > 0) - (v < 0); }

GridCell Point(const RobotPath& p, int32_t i) { return {p.rows[i], p.cols[i]}; }

void CopyPoint(RobotPath& p, int32_t from, int32_t to) {
    p.rows[to] = p.rows[from];
    p.cols[to] = p.cols[from];
}

bool Blocked(const PlanGrid& grid, int32_t row, int32_t col) { return !CellPassable(grid, row, col); }

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

// The line col = m + s * row, walked once column by column and once row by row; each walk
// tests the cell the line crosses at every step. A line along one row is walked along it.
bool LineOfSight(const PlanGrid& grid, GridCell a, GridCell b) {
    const int er = Sign(b.row - a.row);
    const int ec = Sign(b.col - a.col);
    if (er == 0) {
        for (int32_t col = a.col; col != b.col; col += ec) {
            if (Blocked(grid, a.row, col)) return false;
        }
        return true;
    }
    const float s = static_cast<float>(b.col - a.col) / static_cast<float>(b.row - a.row);
    const float m = static_cast<float>(a.col) - static_cast<float>(a.row) * s;
    for (int32_t col = a.col; col != b.col; col += ec) {
        int32_t row = static_cast<int32_t>((ec * 0.5 + col - m) / s + 0.5);
        if (Blocked(grid, row, col)) return false;
    }
    for (int32_t row = a.row; row != b.row; row += er) {
        int32_t col = static_cast<int32_t>(m + s * (er * 0.5 + row) + 0.5);
        if (Blocked(grid, row, col)) return false;
    }
    return true;
}
