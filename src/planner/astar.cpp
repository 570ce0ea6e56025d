// The time-sliced A* search.
#include "planner/astar.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "planner/astar_detail.h"
#include "planner/limits.h"
#include "planner/path_smoothing.h"
#include "platform/clock.h"
#include "platform/vector_isa.h"

#if DUSK_X86_VECTORS
#include <emmintrin.h>
#endif

namespace {

using planner_limits::DIAGONAL_COST;
using planner_limits::KEY_BASE;
using planner_limits::STRAIGHT_COST;

// The eight moves in the order they are offered: right, left, down, up, then the diagonals
// down-right, down-left, up-right, up-left; the first four are straight.
constexpr int32_t STEP_ROW[8] = {0, 0, 1, -1, 1, 1, -1, -1};
constexpr int32_t STEP_COL[8] = {1, -1, 0, 0, 1, -1, 1, -1};
constexpr double STEP_COST[8] = {STRAIGHT_COST, STRAIGHT_COST, STRAIGHT_COST, STRAIGHT_COST,
                                 DIAGONAL_COST, DIAGONAL_COST, DIAGONAL_COST, DIAGONAL_COST};

// The grid's search state as flat blocks indexed by cell number, and what every expansion of a
// search call shares.
struct SearchCells {
    explicit SearchCells(PlanGrid& grid)
        : grid(grid), f(grid.f.data()), g(grid.g.data()), closed(grid.closed.data()),
          parentRow(grid.parentRow.data()), parentCol(grid.parentCol.data()),
          passable(grid.passable.data()), stride(CellStride(grid)) {
        for (int k = 0; k < 8; ++k) stepCell[k] = STEP_ROW[k] * stride + STEP_COL[k];
    }
    PlanGrid& grid;
    float* f;
    float* g;
    uint8_t* closed;
    int32_t* parentRow;
    int32_t* parentCol;
    const uint8_t* passable;
    int32_t stride;
    int32_t stepCell[8];  // each move's step in cell numbers
};

// A passable byte that this search call has not taken from the codes yet.
constexpr uint8_t NOT_TAKEN = 0x80;

// Starts a search call: marks the passable cells of every row as not taken yet.
void ForgetPassableRows(PlanGrid& grid) {
    if (grid.rows <= 0) return;
    std::memset(grid.passable[0] - 1, NOT_TAKEN,
                static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(CellStride(grid)));
}

// Takes the passable cells of rows r - 1 .. r + 1 (within the grid) that this call has not
// taken yet from their codes, as they stand now.
void TakePassableRows(PlanGrid& grid, int32_t r) {
    const int32_t cols = grid.cols;
    for (int32_t row = std::max(r - 1, 0); row <= std::min(r + 1, grid.rows - 1); ++row) {
        uint8_t* out = grid.passable[row];
        if (out[0] != NOT_TAKEN) continue;
        const int32_t* codes = &grid.cells[row][0];
        for (int32_t c = 0; c < cols; ++c)
            out[c] = codes[c] != CELL_OBSTACLE && codes[c] != CELL_FOOTPRINT;
        out[-1] = out[cols] = 0;  // the border
    }
}

// The square root of a sum of squares: the IEEE root, correctly rounded everywhere.
#if DUSK_X86_VECTORS
double Root(double v) { return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_setzero_pd(), _mm_set_sd(v))); }
#else
double Root(double v) { return std::sqrt(v); }
#endif

// The moves that Relax offers a route (bits 0 .. 7 in the order of STEP_ROW), and among them
// those to cells that have no f yet.
struct Offer {
    unsigned moves;
    unsigned fresh;
};

// Offers the cells of the offer's moves a route from the cell `at`, (r, c), in the order of the
// moves. False when the open list has no room.
bool Relax(SearchCells& s, Offer offer, int32_t at, int32_t r, int32_t c) {
    const double gFrom = s.g[at];
    const double dr = static_cast<double>(r) - s.grid.goal.row;
    const double dc = static_cast<double>(c) - s.grid.goal.col;
    for (unsigned work = offer.moves; work != 0; work &= work - 1) {
        const int k = __builtin_ctz(work);
        const int32_t to = at + s.stepCell[k];
        float& f = s.f[to];
        float& g = s.g[to];
        const double newG = gFrom + STEP_COST[k];
        s.parentRow[to] = r;
        s.parentCol[to] = c;
        if ((offer.fresh >> k & 1) == 0) {
            const double newF = newG + static_cast<double>(f - g);
            const float oldF = f;
            g = static_cast<float>(newG);
            f = static_cast<float>(newF);
            bool room = true;
            if (s.closed[to]) {  // a shorter way to an expanded cell reopens it
                s.closed[to] = 0;
                room = s.grid.open.Push({f, to});
            } else if (f < oldF) {  // else the f rounds to the one it had: the list stays
                room = s.grid.open.DecreaseKey({f, to});
            }
            if (!room) return false;
            continue;
        }
        s.grid.reached[s.grid.reachedCount++] = to;
        g = static_cast<float>(newG);
        const double toRow = dr + STEP_ROW[k], toCol = dc + STEP_COL[k];  // the distance left
        f = static_cast<float>(newG + Root(toCol * toCol + toRow * toRow));
        if (!s.grid.open.Push({f, to})) return false;
    }
    return true;
}

// Gives the start cell g 0 and its f, and opens it: the relax of a cell from itself.
void OpenStart(SearchCells& s, int32_t at, int32_t r, int32_t c) {
    const double dr = static_cast<double>(r) - s.grid.goal.row;
    const double dc = static_cast<double>(c) - s.grid.goal.col;
    s.grid.reached[s.grid.reachedCount++] = at;
    s.g[at] = 0.0f;
    s.f[at] = static_cast<float>(0.0 + Root(dc * dc + dr * dr));
    s.parentRow[at] = r;
    s.parentCol[at] = c;
    s.grid.open.Push({s.f[at], at});
}

// The moves allowed by the passable cells around a cell, indexed by those cells as bits: 0 .. 2
// the row above from the left, 3 and 4 the left and right cells beside, 5 .. 7 the row below
// from the left. A diagonal needs both straight neighbours on its side as well.
constexpr std::array<uint8_t, 256> MakeAllowedMoves() {
    std::array<uint8_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        const unsigned upLeft = i & 1, up = i >> 1 & 1, upRight = i >> 2 & 1, left = i >> 3 & 1,
                       right = i >> 4 & 1, downLeft = i >> 5 & 1, down = i >> 6 & 1,
                       downRight = i >> 7 & 1;
        table[i] =
            static_cast<uint8_t>(right | left << 1 | down << 2 | up << 3 |
                                 (downRight & right & down) << 4 | (downLeft & left & down) << 5 |
                                 (upRight & right & up) << 6 | (upLeft & left & up) << 7);
    }
    return table;
}
constexpr std::array<uint8_t, 256> ALLOWED_MOVES = MakeAllowedMoves();

// Four passable bytes side by side, from the cell left of `at` in the row `dr` rows away (the
// fourth is not used).
uint32_t LoadPassable(const SearchCells& s, int32_t at, int32_t dr) {
    uint32_t bytes;
    std::memcpy(&bytes, s.passable + at + dr * s.stride - 1, sizeof bytes);
    return bytes;
}

// The first three of four passable bytes as bits 0 .. 2.
unsigned PackThree(uint32_t bytes) {
    return (bytes * 0x010204u >> 16) & 7;  // byte 0 to bit 0, byte 1 to bit 1, byte 2 to bit 2
}

// Of the eight neighbours of a cell, in the order of the moves, those whose f a route from the
// cell (of g gFrom) would make smaller, computed as each cell's own test in Relax is, and those
// that have no f yet (f is never -0): bits 0 .. 7. Found by `Find(cells, at, gFrom)` of one of
// the two structs below, which give the same.
struct Found {
    unsigned smaller;
    unsigned unreached;
};

// A move at a time: on every architecture.
struct MoveByMove {
    static Found Find(const SearchCells& s, int32_t at, double gFrom) {
        Found found{0, 0};
        for (int k = 0; k < 8; ++k) {
            const float f = s.f[at + s.stepCell[k]], g = s.g[at + s.stepCell[k]];
            const double newG = gFrom + STEP_COST[k];
            found.smaller |= unsigned(newG + static_cast<double>(f - g) < static_cast<double>(f))
                             << k;
            found.unreached |= unsigned(std::bit_cast<uint32_t>(f) == 0) << k;
        }
        return found;
    }
};

#if DUSK_X86_VECTORS
// The eight neighbours' values in the order of the moves, four to a vector: right, left, down,
// up; then down-right, down-left, up-right, up-left. Read a row at a time from column c - 1,
// four values each.
struct Neighbours {
    __m128 straight;
    __m128 diagonal;
};

Neighbours GatherNeighbours(const float* values, int32_t at, int32_t w) {
    const __m128 above = _mm_loadu_ps(values + at - w - 1);  // up-left, up, up-right
    const __m128 beside = _mm_loadu_ps(values + at - 1);     // left, the cell, right
    const __m128 below = _mm_loadu_ps(values + at + w - 1);  // down-left, down, down-right
    const __m128 downUp = _mm_shuffle_ps(below, above, _MM_SHUFFLE(1, 1, 1, 1));
    return {_mm_shuffle_ps(beside, downUp, _MM_SHUFFLE(2, 0, 0, 2)),
            _mm_shuffle_ps(below, above, _MM_SHUFFLE(0, 2, 0, 2))};
}

// Of four neighbours with values f and g, those whose f a route of g newG would make smaller,
// computed as each cell's own test is: bits 0 .. 3.
unsigned FindSmaller(__m128 f, __m128 g, __m128d newG) {
    const __m128 rest = _mm_sub_ps(f, g);  // f - g, as the relax takes it
    const __m128d low = _mm_add_pd(newG, _mm_cvtps_pd(rest));
    const __m128d high = _mm_add_pd(newG, _mm_cvtps_pd(_mm_movehl_ps(rest, rest)));
    return static_cast<unsigned>(
        _mm_movemask_pd(_mm_cmplt_pd(low, _mm_cvtps_pd(f))) |
        _mm_movemask_pd(_mm_cmplt_pd(high, _mm_cvtps_pd(_mm_movehl_ps(f, f)))) << 2);
}

// Of four neighbours with values f, those that have none yet (f is never -0): bits 0 .. 3.
unsigned FindUnreached(__m128 f) {
    return static_cast<unsigned>(_mm_movemask_ps(
        _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_castps_si128(f), _mm_setzero_si128()))));
}

// Four moves at a time in SSE2, which every x86-64 machine has.
struct FourMoves {
    static Found Find(const SearchCells& s, int32_t at, double gFrom) {
        const Neighbours f = GatherNeighbours(s.f, at, s.stride);
        const Neighbours g = GatherNeighbours(s.g, at, s.stride);
        return {FindSmaller(f.straight, g.straight, _mm_set1_pd(gFrom + STRAIGHT_COST)) |
                    FindSmaller(f.diagonal, g.diagonal, _mm_set1_pd(gFrom + DIAGONAL_COST)) << 4,
                FindUnreached(f.straight) | FindUnreached(f.diagonal) << 4};
    }
};
using BestMoves = FourMoves;
#else
using BestMoves = MoveByMove;
#endif

template <class Moves>
Offer TakeRowsAndFindOffer(SearchCells& s, int32_t at);

// The moves from cell `at` that Relax offers a route: to the passable neighbours, the four
// straight ones and the diagonals whose two straight neighbours are both passable, that have no
// f yet or whose f the route makes smaller. Found for all eight together, without a branch
// each, and without reading the open list, so that it can be done before the list is
// rearranged.
template <class Moves>
Offer FindOffer(SearchCells& s, int32_t at) {
    const uint32_t above = LoadPassable(s, at, -1), row = LoadPassable(s, at, 0),
                   below = LoadPassable(s, at, 1);
    if (((above | row | below) & 0x808080u) != 0) return TakeRowsAndFindOffer<Moves>(s, at);
    const unsigned beside = PackThree(row);
    const unsigned allowed = ALLOWED_MOVES[PackThree(above) | (beside & 1) << 3 |
                                           (beside & 4) << 2 | PackThree(below) << 5];
    const Found found = Moves::Find(s, at, s.g[at]);
    const unsigned moves = allowed & (found.smaller | found.unreached);
    return {moves, moves & found.unreached};
}

// A cell whose rows of passable cells are not all taken yet: takes them, then finds its offer.
template <class Moves>
[[gnu::noinline]] Offer TakeRowsAndFindOffer(SearchCells& s, int32_t at) {
    TakePassableRows(s.grid, at / s.stride - 1);
    return FindOffer<Moves>(s, at);
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

template <class Moves>
int Search(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved) {
    const uint32_t t0 = platform::Milliseconds();
    if (!CellInGrid(grid, grid.start.row, grid.start.col) ||
        !CellInGrid(grid, grid.goal.row, grid.goal.col)) {
        path.count = 0;
        return PLAN_NO_PATH;
    }
    ForgetPassableRows(grid);
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
        const int32_t r = grid.start.row, c = grid.start.col, at = CellNumber(grid, r, c);
        OpenStart(s, at, r, c);
        grid.current = grid.start;
        s.closed[at] = 1;
        grid.searchStarted = 1;
        if (!Relax(s, FindOffer<Moves>(s, at), at, r, c)) return NoPath(grid, path);
    }
    // The clock is read after the first expansion of a call and then after every few more.
    bool spent = false;
    bool atGoal = SameCell(grid.current, grid.goal);
    const int32_t goalCell = CellNumber(grid, grid.goal.row, grid.goal.col);
    for (int32_t expansions = 0; !atGoal && !grid.open.Empty() && !spent; ++expansions) {
        // The moves are found while the top is still in the list: they do not wait for it to be
        // rearranged.
        const OpenEntry next = grid.open.Top();
        const Offer offer = FindOffer<Moves>(s, next.cell);
        const int32_t row = next.cell / s.stride - 1, col = next.cell % s.stride - 1;
        grid.current = {KEY_BASE - next.f, row, col};
        atGoal = next.cell == goalCell;
        s.closed[next.cell] = 1;
        grid.open.RemoveTop();
        if (!Relax(s, offer, next.cell, row, col)) return NoPath(grid, path);
        if (expansions % planner_limits::EXPANSIONS_PER_CLOCK_READ == 0) {
            uint32_t elapsed = platform::Milliseconds() - t0;
            spent = int64_t{elapsed} > budgetMs;
        }
    }
    if (spent) return PLAN_PENDING;
    if (!atGoal || !BuildPath(grid, path)) return NoPath(grid, path);
    if (improved >= 1) DropCollinearPoints(path);
    if (improved >= 2) SmoothPathLineOfSight(grid, path);
    return PLAN_FOUND;
}

}  // namespace

int PlanPath(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved) {
    return Search<BestMoves>(grid, path, budgetMs, improved);
}

int PlanPathMoveByMove(PlanGrid& grid, RobotPath& path, int32_t budgetMs, int32_t improved) {
    return Search<MoveByMove>(grid, path, budgetMs, improved);
}
