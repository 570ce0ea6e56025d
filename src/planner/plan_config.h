// The planner's settings, read by name from its ParseIt configuration file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PlannerConfig {
    int32_t millisecondsPerCycle = 0;  // time budget of one search call
    int32_t maxTurnSegments = 0;       // handed to each robot move
    int32_t improvedPaths = 0;         // 0 raw path, 1 collinear points dropped, 2 also smoothed
    int32_t debugKeys = 0;             // the robot debug keys
    int32_t mapWidth = 0;              // read; no effect
    int32_t mapHeight = 0;             // read; no effect
    double allRobotsLookAhead = 0.0;   // collision look-ahead, in cycles
    double defaultRobotSpeed = 0.0;    // world units per cycle
    double speedDivisor = 0.0;         // a robot's speed is divided by it for the mover
    double defaultRobotRadius = 0.0;
    double metersPerCell = 0.0;  // cell size until the map file sets its own
    std::string mapFileName;     // at most MAP_FILE_NAME_SIZE - 1 characters
};

// Reads every setting; a missing one (or one of a type its getter does not accept) gives -1 or
// -1.0. A missing map_file_name leaves config.mapFileName as it was. False only when the file could
// not be opened or read; a statement that fails ends the parse, and what stands before it is read.
bool ReadPlanConfig(const std::string& configPath, PlannerConfig& config);

// The settings whose numbers cannot be used (not finite, beyond the float range of the robots'
// settings, or a speed divisor of 0), in the order of the file's keys, after each has been given
// -1.0, as a missing one reads; empty when every number can be used.
std::vector<const char*> ClearUnusableSettings(PlannerConfig& config);

// The settings of the last planner configuration loaded.
extern PlannerConfig PlanSettings;
// No configuration loaded yet, as a fresh process starts.
void ResetPlanSettings();
