// The planner's map file that fills a grid, and the two text pictures of it ("Blank Map" and
// "Planned Path") written into the working directory.
#pragma once
#include <string>

#include "planner/plan_grid.h"

// Shows a box captioned "Error" with the format's first "%s" replaced by the planner file's name,
// and a second one, where the format has it, by `detail`.
void ReportPlanFileError(const char* format, const std::string& fileName,
                         const std::string& detail = {});

// Reads a map file into the grid and writes the "Blank Map" dump. A file that is missing or
// damaged is reported in a message box and leaves the grid as it was; false then.
bool ReadPlanMap(const std::string& fileName, PlanGrid& grid);

void DumpBlankMap(const PlanGrid& grid);
// Marks the path's cells, writes the grid, and frees the path's cells again.
void DumpPlannedPath(PlanGrid& grid, const RobotPath& path);
