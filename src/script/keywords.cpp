#include "script/keywords.h"

#include <cstring>
#include <string>

#include "base/handlers.h"
#include "platform/message_box.h"
#include "script/events.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/runner.h"
#include "script/states.h"
#include "script/stream.h"
#include "script/tokenizer.h"
#include "script/variables.h"
#include "script/wait.h"

namespace {

void CompileKeyword(int keyword, const uint8_t* encoded, size_t size) {
    switch (keyword) {
        case KeywordState:
        case KeywordStepState:
            Parsed.TokenCount = 1;
            DeclareState(NameArg(Parsed, 1), keyword == KeywordStepState);
            break;
        case KeywordInt:
            Parsed.TokenCount = 1;
            if (Parsed.WordCount >= 2) DeclareVariable(NameArg(Parsed, 1));
            break;
        case KeywordSetValue:
        case KeywordUnloadMesh:
        case KeywordLoadState: break;
        default: AppendStatement(encoded, size); break;
    }
}

// Word `k` as the encoded bytes of a group.
const uint8_t* GroupBytes(int k, size_t& size) {
    if (k >= Parsed.WordCount) {
        size = 0;
        return reinterpret_cast<const uint8_t*>("");
    }
    size = static_cast<size_t>(Parsed.WordLength[k]);
    return reinterpret_cast<const uint8_t*>(Parsed.StatementTokens[k]);
}

int32_t ReadInt32(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

// `name = value;`: words "var", the name and the encoded rest from '='.
void Assign() {
    Parsed.TokenCount = 1;
    char name[VariableNameSize] = {};
    std::strncpy(name, WordArg(Parsed, 1), VariableNameSize - 1);
    int index = FindVariable(name);
    if (index == MaxVariables) {
        platform::MessageBox(MsgUndeclaredVariable, CaptionVarDebug);
        return;
    }
    size_t n;
    const uint8_t* group = GroupBytes(2, n);
    if (n == 0 || group[0] != '=') {
        platform::MessageBox(MsgIllegalVariableOperation, CaptionVarDebug);
        return;
    }
    const uint8_t* p = group + 1;
    const uint8_t* end = group + n;
    while (p < end && *p == tag::Start) ++p;
    int32_t value;
    uint8_t t = p < end ? *p : 0;
    if ((t == tag::Int || t == tag::Long) && end - p >= 5) {
        value = ReadInt32(p + 1);
    } else if (t == tag::Variable) {
        int from = FindVariable(reinterpret_cast<const char*>(p + 1));
        if (from == MaxVariables) platform::MessageBox(MsgUndeclaredVariable, CaptionDebug);
        value = from == MaxVariables ? 0 : VariableTable[from].value;
    } else if (t == '(') {
        value = EvalCondition(p, static_cast<size_t>(end - p));
    } else if (t == tag::Name) {
        // The rest is a statement of its own, run for the value it leaves.
        uint8_t statement[WordSize + 3];
        size_t k = 0;
        statement[k++] = tag::Start;
        std::memcpy(statement + k, p, static_cast<size_t>(end - p));
        k += static_cast<size_t>(end - p);
        if (statement[k - 1] != ';') statement[k++] = ';';
        statement[k++] = tag::End;
        ParseStatement(statement, k);
        value = ReturnValue;
    } else {
        platform::MessageBox(MsgUnrecognizedTokenValue, CaptionVarDebug);
        return;
    }
    if (std::strcmp(VariableTable[index].name, name) == 0) VariableTable[index].value = value;
}

// gotoState and refState find their state by name; the placeholder is no state.
int NamedState() {
    Parsed.TokenCount = 1;
    int id = FindState(NameArg(Parsed, 1));
    if (id < 1) platform::MessageBox(MsgStateNotDefinedJump, CaptionStateDebug);
    return id;
}

void GotoState() {
    int id = NamedState();
    if (id < 1) return;
    const ScriptState& s = StateTable[id];
    if (s.isStepState) {
        StepTable[s.stepRow].counter = 0;
        StopFlag = 1;
        StepState(id);
        return;
    }
    JumpPending = 1;
    JumpTarget = s.start;
    JumpEnd = StreamLength;
}

void RefState() {
    int id = NamedState();
    if (id < 1) return;
    const ScriptState& s = StateTable[id];
    if (s.isStepState) {
        platform::MessageBox(MsgRefOnStepState, CaptionRefDebug);
        return;
    }
    ExecRange(s.start, s.end);
}

void If() {
    size_t n;
    const uint8_t* group = GroupBytes(1, n);
    if (EvalCondition(group, n)) {
        LastIfResult = 1;
        SkipFlag = 0;
    } else {
        SkipFlag = 1;
        LastIfResult = 0;
    }
}

void While() {
    size_t n;
    const uint8_t* group = GroupBytes(1, n);
    LoopStart = StatementEnd;
    std::memcpy(WhileCondition, group, n);
    WhileConditionLength = static_cast<int>(n);
    SkipFlag = EvalCondition(group, n) ? 0 : 1;
}

void EndWhile() {
    if (SkipDepth > 0) {
        --SkipDepth;
        return;
    }
    if (EvalCondition(WhileCondition, static_cast<size_t>(WhileConditionLength)))
        LoopBackPending = 1;  // the body runs again from LoopStart
    SkipFlag = 0;
}

void RunKeyword(int keyword) {
    if (SkipFlag == 1) {
        switch (keyword) {
            case KeywordIf:
            case KeywordWhile: ++SkipDepth; return;
            case KeywordElse:
            case KeywordEndif:
            case KeywordEndwhile: break;  // these test SkipDepth instead
            default: return;
        }
    }
    switch (keyword) {
        case KeywordState:
        case KeywordSetValue:
        case KeywordLoadMesh:
        case KeywordUnloadMesh:
        case KeywordLoadState:
        case KeywordStepState:
        case KeywordInt: break;
        case KeywordGotoState: GotoState(); break;
        case KeywordIf: If(); break;
        case KeywordElse:
            if (SkipDepth == 0) SkipFlag = LastIfResult == 1 ? 1 : 0;
            break;
        case KeywordRefState: RefState(); break;
        case KeywordWhile: While(); break;
        case KeywordVar: Assign(); break;
        case KeywordEndif:
            if (SkipDepth > 0)
                --SkipDepth;
            else
                SkipFlag = 0;
            break;
        case KeywordEndwhile: EndWhile(); break;
        case KeywordExit: StopFlag = 1; break;
        case KeywordWait: BeginWait(IntArg(Parsed, 0)); break;
        case KeywordLoadNewScript: {
            Parsed.TokenCount = 1;
            std::string name = WordArg(Parsed, 1);
            LoadScript(name.c_str());
            break;
        }
        default:
            if (Handlers.execKeyword) Handlers.execKeyword(keyword, Parsed);
            break;
    }
}

}  // namespace

void HandleKeyword(int keyword, const uint8_t* encoded, size_t size) {
    if (RunMode == RunModeCompile)
        CompileKeyword(keyword, encoded, size);
    else if (RunMode == RunModeRun)
        RunKeyword(keyword);
}
