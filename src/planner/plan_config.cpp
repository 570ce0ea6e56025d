// Reading the planner configuration through ParseIt.
#include "planner/plan_config.h"

#include <cfloat>
#include <cmath>

#include "planner/limits.h"
#include "planner/parseit.h"

PlannerConfig PlanSettings;

void ResetPlanSettings() { PlanSettings = PlannerConfig{}; }

std::vector<const char*> ClearUnusableSettings(PlannerConfig& config) {
    // The robots keep every setting but the cell size as a float; the speed is divided by the
    // divisor.
    struct Setting {
        const char* name;
        double* value;
        double limit;
        bool zeroUsable;
    };
    const Setting settings[] = {
        {"all_robots_look_ahead", &config.allRobotsLookAhead, FLT_MAX, true},
        {"default_robot_speed", &config.defaultRobotSpeed, FLT_MAX, true},
        {"speed_divisor", &config.speedDivisor, FLT_MAX, false},
        {"default_robot_radius", &config.defaultRobotRadius, FLT_MAX, true},
        {"meters_per_cell", &config.metersPerCell, DBL_MAX, true},
    };
    std::vector<const char*> unusable;
    for (const Setting& s : settings) {
        const bool usable = std::fabs(*s.value) <= s.limit && (s.zeroUsable || *s.value != 0.0);
        if (!usable) {
            *s.value = -1.0;
            unusable.push_back(s.name);
        }
    }
    return unusable;
}

bool ReadPlanConfig(const std::string& configPath, PlannerConfig& config) {
    ParseList list = NewParseList();
    const bool parsed = OpenParseFile(configPath, list);
    int error = 0;
    config.millisecondsPerCycle = GetParseInt(list, "milliseconds_per_cycle", error);
    config.maxTurnSegments = GetParseInt(list, "max_turn_segments", error);
    config.improvedPaths = GetParseInt(list, "improved_paths", error);
    config.debugKeys = GetParseInt(list, "DEBUG_KEYS", error);
    config.mapWidth = GetParseInt(list, "map_width", error);
    config.mapHeight = GetParseInt(list, "map_height", error);
    config.allRobotsLookAhead = GetParseFloat(list, "all_robots_look_ahead", error);
    config.defaultRobotSpeed = GetParseFloat(list, "default_robot_speed", error);
    config.speedDivisor = GetParseFloat(list, "speed_divisor", error);
    config.defaultRobotRadius = GetParseFloat(list, "default_robot_radius", error);
    config.metersPerCell = GetParseDouble(list, "meters_per_cell", error);
    // A ParseIt string is one token, so it always fits the name buffer.
    static_assert(planner_limits::TOKEN_CELL <= planner_limits::MAP_FILE_NAME_SIZE);
    GetParseString(list, "map_file_name", error, config.mapFileName);
    FreeParseList(list);
    return parsed;
}
