// Texts the robot planner shows or prints.
#pragma once

namespace planner_messages {

// ParseIt prints these on the standard output through its error printer.
constexpr const char* PARSE_ERROR_FORMAT = "ParseIt Error: %s\n";
constexpr const char* OPEN_PARSE_FILE = "Error Opening parse file: '";
constexpr const char* OPEN_PARSE_FILE_END = "'";
constexpr const char* BAD_FIELD_NAME = "Bad field name";
constexpr const char* UNMATCHED_CAST = "Unmatched parenthesis in type-casting\n";
constexpr const char* UNMATCHED_PARENTHESES = "Unmatched parentheses\n";
constexpr const char* VARIABLE_NOT_DECLARED = "Variable not declared";
constexpr const char* DIVISION_BY_ZERO = "Division by zero";

// The allocators' report on the standard error stream before the program ends.
constexpr const char* ALLOC_ERROR_HEAD = "Numerical Recipes run-time error...\n";
constexpr const char* ALLOC_ERROR_TAIL = "...now exiting to system...\n";
constexpr const char* ALLOC_IVECTOR = "allocation failure in ivector()";
constexpr const char* ALLOC_MATRIX_ROWS = "allocation failure 1 in matrix()";
constexpr const char* ALLOC_MATRIX_ROW = "allocation failure 2 in matrix()";
constexpr const char* ALLOC_IMATRIX_ROWS = "allocation failure 1 in imatrix()";
constexpr const char* ALLOC_IMATRIX_ROW = "allocation failure 2 in imatrix()";

// Message boxes of the map loader (caption "Error").
constexpr const char* ERROR_CAPTION = "Error";
constexpr const char* MAP_FILE_MISSING = "Open planning map %s failed.";
constexpr const char* MAP_FILE_BAD = "Planning map %s is damaged; the old map is kept.";
constexpr const char* DUMP_FILE_FAILED = "Writing %s failed.";
constexpr const char* CONFIG_FILE_BAD = "Planning configuration %s cannot be read.";
constexpr const char* CONFIG_VALUE_BAD =
    "Planning configuration %s: the value of %s is out of range.";
// Several settings out of range, named in one box, separated by commas.
constexpr const char* CONFIG_VALUES_BAD =
    "Planning configuration %s: the values of %s are out of range.";

}  // namespace planner_messages

namespace planner_messages {

// A goal that lies off the planning map is refused (caption "Error").
constexpr const char* GOAL_OFF_MAP = "Robot %d goal (%g, %g) is outside the planning map.";

}  // namespace planner_messages
