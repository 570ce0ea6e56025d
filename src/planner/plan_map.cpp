#include "planner/plan_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "planner/limits.h"
#include "planner/messages.h"
#include "planner/plan_grid.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

char DumpChar(int32_t code, bool planned) {
    using namespace planner_limits;
    switch (code) {
        case CELL_FREE: return DUMP_FREE;
        case PATH_MARK: return DUMP_PATH;
        case CELL_OBSTACLE: return DUMP_OBSTACLE;
        case CELL_FOOTPRINT: return planned ? DUMP_FOOTPRINT_PLANNED : DUMP_OTHER;
        default: return DUMP_OTHER;
    }
}

// Whether the last write of each dump failed: a failure is reported once, and again only
// after a write of that dump has succeeded.
bool BlankMapFailed = false;
bool PlannedPathFailed = false;

void WriteDump(const char* fileName, const PlanGrid& grid, bool planned, bool& failed) {
    std::string text;
    text.reserve(static_cast<std::size_t>(grid.rows) * (static_cast<std::size_t>(grid.cols) + 1));
    for (int32_t r = 0; r < grid.rows; ++r) {
        for (int32_t c = 0; c < grid.cols; ++c) text += DumpChar(grid.cells[r][c], planned);
        text += '\n';
    }
    const bool ok = platform::ReplaceFile(fileName, text);
    if (!ok && !failed) ReportPlanFileError(planner_messages::DUMP_FILE_FAILED, fileName);
    failed = !ok;
}

// The path's points that lie inside the grid get the code.
void MarkPath(PlanGrid& grid, const RobotPath& path, int32_t code) {
    int32_t count = std::min(std::max(path.count, 0), planner_limits::PATH_POINTS);
    for (int32_t i = 0; i < count; ++i) {
        if (CellInGrid(grid, path.rows[i], path.cols[i]))
            grid.cells[path.rows[i]][path.cols[i]] = code;
    }
}

}  // namespace

void ReportPlanFileError(const char* format, const std::string& fileName,
                         const std::string& detail) {
    std::string text = format;
    const std::size_t at = text.find("%s");
    text.replace(at, 2, fileName);
    const std::size_t second = text.find("%s", at + fileName.size());
    if (second != std::string::npos) text.replace(second, 2, detail);
    platform::MessageBox(text, planner_messages::ERROR_CAPTION);
}

// The file: rows and columns, the origin row and column, the cell size, then rows x cols cell
// codes row by row, all separated by white space. The start and goal markers are stored free.
bool ReadPlanMap(const std::string& fileName, PlanGrid& grid) {
    FILE* f = platform::OpenTextFile(fileName);
    if (!f) {
        ReportPlanFileError(planner_messages::MAP_FILE_MISSING, fileName);
        return false;
    }
    int rows = 0, cols = 0, originRow = 0, originCol = 0;
    double cellSize = 0.0;
    bool ok = std::fscanf(f, "%d %d", &rows, &cols) == 2 &&
              std::fscanf(f, "%d %d", &originRow, &originCol) == 2 &&
              std::fscanf(f, "%lf", &cellSize) == 1 && rows > 0 && cols > 0 &&
              std::isfinite(cellSize) && cellSize > 0.0;
    // The codes are read before the grid changes, so a short file leaves the old grid.
    std::vector<int32_t> codes;
    const int64_t total = int64_t{rows} * cols;
    for (int code; ok && static_cast<int64_t>(codes.size()) < total;) {
        ok = std::fscanf(f, "%d", &code) == 1;
        if (ok) codes.push_back(code);
    }
    std::fclose(f);
    if (!ok) {
        ReportPlanFileError(planner_messages::MAP_FILE_BAD, fileName);
        return false;
    }
    ResizePlanGrid(grid, rows, cols);
    grid.originRow = originRow;
    grid.originCol = originCol;
    grid.cellSize = cellSize;
    std::size_t i = 0;
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < cols; ++c) {
            int32_t code = codes[i++];
            bool marker =
                code == planner_limits::MAP_START_MARK || code == planner_limits::MAP_GOAL_MARK;
            grid.cells[r][c] = marker ? CELL_FREE : code;
        }
    }
    DumpBlankMap(grid);
    return true;
}

void DumpBlankMap(const PlanGrid& grid) {
    WriteDump(planner_limits::BLANK_MAP_FILE, grid, false, BlankMapFailed);
}

void DumpPlannedPath(PlanGrid& grid, const RobotPath& path) {
    MarkPath(grid, path, planner_limits::PATH_MARK);
    WriteDump(planner_limits::PLANNED_PATH_FILE, grid, true, PlannedPathFailed);
    MarkPath(grid, path, CELL_FREE);
}
