// Tables and limits of the robot planner: the configuration language, the grid search and the
// robot paths.
#pragma once
#include <cstddef>
#include <cstdint>

namespace planner_limits {

// ParseIt keeps each token in a cell of this many characters, terminator included.
constexpr std::size_t TOKEN_CELL = 80;
// ParseIt statements: the first word that makes each kind (tested in this order), the kind's
// number and the text that ends the statement. The rows without a word are the statements that
// begin with a struct type's name (a table), a variable's name (an assignment), or anything else.
struct ParseStatementRow {
    const char* firstWord;
    int kind;
    const char* terminator;
};
constexpr ParseStatementRow PARSE_STATEMENTS[] = {
    {"int", 1, ";"},     {"float", 2, ";"},  {"double", 3, ";"},   {"char", 4, ";"},
    {"struct", 5, "};"}, {"/*", 6, "*/"},    {"#define", 7, "\n"}, {"if", 11, ")"},
    {"else", 14, ";"},   {"for", 12, ")"},   {"{", 13, "}"},       {nullptr, 8, "#END_DATA"},
    {nullptr, 9, ";"},   {nullptr, -3, ";"},
};

// Largest string or table (count times row size) a ParseIt file may define, in bytes.
constexpr std::size_t MAX_DATA_BYTES = 16u << 20;

// The open list of a grid search: entry 0 is never used, so it holds one node fewer.
constexpr int OPEN_LIST_ENTRIES = 2000;
// A search slice reads the clock after its first expansion and then once every this many.
constexpr int EXPANSIONS_PER_CLOCK_READ = 16;
// Points of a robot path, indices 0 .. PATH_POINTS - 1.
constexpr int PATH_POINTS = 101;
// The caller's buffer for the map file name, terminator included.
constexpr std::size_t MAP_FILE_NAME_SIZE = 100;

// Search costs and the open-list priority base (key = KEY_BASE - f).
constexpr double STRAIGHT_COST = 1.0;
constexpr double DIAGONAL_COST = 1.414213562373;
constexpr double KEY_BASE = 10000.0;

// The path mark written into the grid while the "Planned Path" dump is made, and the start and
// goal markers that a map file may hold.
constexpr int32_t PATH_MARK = 121963;
constexpr int32_t MAP_START_MARK = 11;
constexpr int32_t MAP_GOAL_MARK = 99;

}  // namespace planner_limits

namespace planner_limits {

// Dump file names and their characters, one per cell.
constexpr const char* BLANK_MAP_FILE = "Blank Map";
constexpr const char* PLANNED_PATH_FILE = "Planned Path";
constexpr char DUMP_FREE = '.';
constexpr char DUMP_PATH = 'P';
constexpr char DUMP_OBSTACLE = 'X';
constexpr char DUMP_FOOTPRINT_PLANNED = 'T';  // a footprint in "Planned Path"
constexpr char DUMP_OTHER = '?';              // any other code, and a footprint in "Blank Map"

}  // namespace planner_limits

namespace planner_limits {

// The motion rows whose characters are robots 0 and 1: their positions are read there.
constexpr int ROBOT_POSITION_ROWS[2] = {0, 2};
// The motion row a robot's debug-key goal drives is the robot's number plus this.
constexpr int ROBOT_DEBUG_ACTOR_BASE = 4;

// Turning angles: degrees from radians and back, with the planner's own pi.
constexpr double ROBOT_PI = 3.14159;
// The closing test: the relative velocity points towards the other body below this angle.
constexpr double CLOSING_ANGLE = 1.570795;
constexpr double CLOSING_COSINE_LIMIT = 0.999999999;
// The city-block gate divides the distance by this before it is compared.
constexpr float GATE_DIVISOR = 1.42f;
// A blocker's footprint reaches (its radius + the robot's) / this many cells around it.
constexpr double FOOTPRINT_DIVISOR = 12.0;

// Random waits, in cycles: base + trunc(rand * span / 32767).
constexpr int STOP_WAIT_BASE = 2;  // after a stop for a predicted collision: 2 to 12
constexpr double STOP_WAIT_SPAN = 10.0;
constexpr int BLOCKED_WAIT_BASE = 4;  // while the blocker is still moving: 4 to 12
constexpr double BLOCKED_WAIT_SPAN = 8.0;

}  // namespace planner_limits
