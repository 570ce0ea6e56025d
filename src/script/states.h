// The states of the compiled script and the steps of its step states.
#pragma once
#include <cstdint>

#include "script/limits.h"

struct ScriptState {
    char name[StateNameSize];
    int16_t id;      // the record's index; 0 for the placeholder and for empty records
    int32_t start;   // stream offset of the first statement
    int16_t length;  // end - start
    int32_t end;     // stream offset after the last statement
    int16_t statementCount;
    int16_t level;  // BlockLevel at the state's line
    int16_t isStepState;
    int16_t stepRow;  // row in the StepTable (step states only)
};

struct StepRow {
    int32_t pairs[MaxStepLines][2];  // (start, end) of each statement
    int32_t lineCount;               // statements recorded
    int32_t counter;                 // the next step to run
};

extern ScriptState StateTable[MaxStates];
extern int StateCount;      // records in use, 1 when no state is defined
extern int OpenStateIndex;  // the state being compiled; after loading, the file's last state
extern StepRow StepTable[MaxStepStates];
extern int StepRowCount;
extern int StepLineCount;
extern int StepStateSwitch;

// Empties the state table back to the placeholder record 0, named ".".
void ResetStateTable();

// `state` and `stepState` while compiling: close the open state and open a new one.
void DeclareState(const char* name, bool stepState);
void BeginState(const char* name, int level);
void EndState();

// Bookkeeping of a statement stored at [start, end) for the open state.
void CountStatement(int start, int end);

int FindState(const char* name);  // the id, or -1
int IsStepState(int id);

// The record of a runnable state id (not the placeholder), or null.
ScriptState* RunnableState(int id);
