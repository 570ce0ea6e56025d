#include "script/runner.h"

#include "base/handlers.h"
#include "platform/message_box.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/states.h"
#include "script/stream.h"

int StopFlag = 0;
int SkipFlag = 0;
int SkipDepth = 0;
int LastIfResult = -1;
int LoopStart = 0;
uint8_t WhileCondition[WordSize];
int WhileConditionLength = 0;
int LoopBackPending = 0;
int JumpPending = 0;
int JumpTarget = 0;
int JumpEnd = 0;
int StatementEnd = 0;
int ReturnValue = 0;
int UpdateStateFlag = 0;
int RunDepth = 0;

namespace {

// Statements executed since a run was started from outside the engine.
int RunStatements = 0;

// Walks the records from `position` while it stays below `end`.
void RunFrom(int& position, int end) {
    if (RunDepth >= MaxRunDepth) {
        platform::MessageBox(MsgExceedRunDepth, CaptionScriptDebug);
        StopFlag = 1;  // the whole run is abandoned
        return;
    }
    if (RunDepth == 0) RunStatements = 0;
    ++RunDepth;
    // A box of a statement names the script and the statement's line.
    platform::BoxPlace place(StreamFile, platform::BoxPlace::GoOn);
    while (position >= 0 && position < end) {
        int length = RecordLength(position);
        if (length == 0) break;
        place.SetLine(RecordLine(position));
        if (++RunStatements > MaxRunStatements) {  // a loop that never ends
            platform::MessageBox(MsgExceedRunLength, CaptionScriptDebug);
            StopFlag = 1;
            break;
        }
        const uint8_t* record = ScriptStream + position;
        position += length;
        StatementEnd = position;
        ParseResult result = ParseStatement(record, static_cast<size_t>(length));
        if (result == ParseResult::Command && SkipFlag == 0 && Handlers.execCommand)
            Handlers.execCommand(Parsed);
        if (JumpPending == 1) {
            position = JumpTarget;
            end = JumpEnd;
            JumpPending = 0;
        }
        if (LoopBackPending == 1) {
            position = LoopStart;
            LoopBackPending = 0;
        }
        if (StopFlag == 1) break;
    }
    --RunDepth;
}

}  // namespace

int RunScript(int stateRecord) {
    RunPosition = 0;
    RunMode = RunModeRun;
    JumpPending = 0;
    JumpTarget = 0;
    LoopBackPending = 0;
    SkipDepth = 0;
    UpdateStateFlag = 0;
    LastIfResult = -1;
    SkipFlag = 0;
    if (!RunnableState(stateRecord)) {
        platform::BoxPlace place(StreamFile, platform::BoxPlace::GoOn);
        platform::MessageBox(MsgNoScriptLoaded, CaptionRunScriptDebug);
        return 0;
    }
    RunFrom(RunPosition, StreamLength);
    return 1;
}

void ExecRange(int start, int end) {
    int position = start;
    RunFrom(position, end);
}

void ExecState(int id) {
    const ScriptState* s = RunnableState(id);
    if (!s) {
        platform::BoxPlace place(StreamFile, platform::BoxPlace::GoOn);
        platform::MessageBox(MsgStateNotDefinedRun, CaptionStateExecDebug);
        return;
    }
    ExecRange(s->start, s->end);
}

void StepState(int id) {
    const ScriptState* s = RunnableState(id);
    platform::BoxPlace place(StreamFile, platform::BoxPlace::GoOn);
    if (!s || !s->isStepState) {
        platform::MessageBox(MsgStateNotDefinedRun, CaptionStepStateExecDebug);
        return;
    }
    StepRow& row = StepTable[s->stepRow];
    if (row.counter < 0 || row.counter >= row.lineCount) {
        platform::MessageBox(MsgNoMoreSteps, CaptionStepStateExecDebug);
        return;
    }
    int step = row.counter++;
    ExecRange(row.pairs[step][0], row.pairs[step][1]);
}
