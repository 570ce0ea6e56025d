// ParseIt's statements: the kinds a statement's first word gives, the results of a statement,
// and the statement loop.
#pragma once
#include "planner/parseit.h"
#include "planner/parseit_scanner_detail.h"

namespace parseit {

// The kind a statement's first word gives it.
enum StatementKind : int {
    KIND_INT = 1,
    KIND_FLOAT = 2,
    KIND_DOUBLE = 3,
    KIND_CHAR = 4,
    KIND_STRUCT = 5,
    KIND_COMMENT = 6,
    KIND_DEFINE = 7,
    KIND_TABLE = 8,
    KIND_ASSIGN = 9,
    KIND_IF = 11,
    KIND_FOR = 12,
    KIND_BLOCK = 13,
    KIND_ELSE = 14,
    KIND_UNKNOWN = -3,
};

// Statement results.
constexpr int OK = 0;
constexpr int MALFORMED = -1;
constexpr int NOT_HERE = -2;

// Parses statements from the scanner's position to the end of its text.
int ParseStatements(Scanner& s, ParseList& list);

}  // namespace parseit
