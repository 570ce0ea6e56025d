// The script's integer variables and the conditions and arithmetic over them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "script/limits.h"

struct ScriptVariable {
    char name[VariableNameSize];  // empty: the entry is free
    int32_t value;
};

extern ScriptVariable VariableTable[MaxVariables];
extern int VariableCount;

int IsVariableDeclared(const char* name);
int FindVariable(const char* name);  // the entry's index, MaxVariables when absent
void ClearScriptVariables();

// `int name`: fills the next entry, or shows why it cannot.
void DeclareVariable(const char* name);

// Evaluates a condition group "(" left operator right ")"; operands are integer literals,
// variables or nested groups.
int EvalCondition(const uint8_t* group, size_t size);
int ApplyOperator(int op, int32_t a, int32_t b);
