#pragma once
// A script variable's value by name, or -12345 when the script has none of that name.
#include "script/limits.h"
#include "script/variables.h"

namespace support {

constexpr int NoVariable = -12345;

inline int VarValue(const char* name) {
    const int i = FindVariable(name);
    return i < MaxVariables ? VariableTable[i].value : NoVariable;
}

}  // namespace support
