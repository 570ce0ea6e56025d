// ParseIt's lookups shared by its source files: variables by name and type, struct types by
// name. The scanner, the evaluator and the statements have detail headers of their own.
#pragma once
#include <cstdint>
#include <string>

#include "planner/parseit.h"

namespace parseit {

// Variables by name and type, the latest first; null if none.
const ParseSymbol* FindSymbolOfType(const ParseList& list, const std::string& name, int32_t type);
// The latest struct type of that name, or -1.
int FindStructType(const ParseList& list, const std::string& name);

}  // namespace parseit
