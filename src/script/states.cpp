#include "script/states.h"

#include <cstring>

#include "platform/message_box.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/stream.h"

ScriptState StateTable[MaxStates];
int StateCount = 1;
int OpenStateIndex = 0;
StepRow StepTable[MaxStepStates];
int StepRowCount = 0;
int StepLineCount = 0;
int StepStateSwitch = 0;

void ResetStateTable() {
    std::memset(StateTable, 0, sizeof StateTable);
    std::strcpy(StateTable[0].name, ".");
    StateTable[0].start = -1;
    StateCount = 1;
    OpenStateIndex = 0;
}

void DeclareState(const char* name, bool stepState) {
    if (OpenStateIndex >= 1) EndState();
    if (StateCount >= MaxStates) {
        platform::MessageBox(MsgExceedStates, CaptionScriptDebug);
        OpenStateIndex = 0;  // what follows belongs to no state
        return;
    }
    if (stepState) {
        if (StepRowCount >= MaxStepStates) {
            platform::MessageBox(MsgExceedStepStates, CaptionScriptDebug);
            OpenStateIndex = 0;
            return;
        }
        StepStateSwitch = 1;
    }
    BeginState(name, BlockLevel);
}

void BeginState(const char* name, int level) {
    int index = StateCount++;
    ScriptState& s = StateTable[index];
    OpenStateIndex = index;
    std::memset(&s, 0, sizeof s);
    std::strncpy(s.name, name, StateNameSize - 1);
    s.id = static_cast<int16_t>(index);
    s.level = static_cast<int16_t>(level);
    s.start = StreamLength;
    s.end = StreamLength;
    if (StepStateSwitch == 1) {
        s.isStepState = 1;
        s.stepRow = static_cast<int16_t>(StepRowCount);
        StepLineCount = 0;
        StepTable[StepRowCount].lineCount = 0;
        StepTable[StepRowCount].counter = 0;
    }
}

void EndState() {
    ScriptState& s = StateTable[OpenStateIndex];
    s.end = StreamLength;
    s.length = static_cast<int16_t>(s.end - s.start);
    if (StepStateSwitch == 1) {
        StepStateSwitch = 0;
        ++StepRowCount;
    }
}

void CountStatement(int start, int end) {
    ++StateTable[OpenStateIndex].statementCount;
    if (StepStateSwitch != 1) return;
    if (StepLineCount >= MaxStepLines) {
        platform::MessageBox(MsgMaxStepLines, CaptionScriptDebug);
        return;
    }
    StepRow& row = StepTable[StepRowCount];
    row.pairs[StepLineCount][0] = start;
    row.pairs[StepLineCount][1] = end;
    row.lineCount = ++StepLineCount;
    row.counter = 0;
}

int FindState(const char* name) {
    for (int i = 0; i < StateCount; ++i) {
        if (std::strcmp(StateTable[i].name, name) == 0) return i;
    }
    return -1;
}

int IsStepState(int id) {
    if (id < 0 || id >= StateCount) {
        platform::MessageBox(MsgStateNotDefinedRun, CaptionCheckStepStateDebug);
        return 0;
    }
    return StateTable[id].isStepState;
}

ScriptState* RunnableState(int id) {
    return (id >= 1 && id < StateCount) ? &StateTable[id] : nullptr;
}
