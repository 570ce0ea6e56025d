#include "script/backends_stub.h"

#include "script/backends.h"
#include "script/limits.h"
#include "script/parser.h"
#include "script/runner.h"

namespace {

int StubValue = 0;

void Record(int keyword, const ParsedStatement& s) {
    BackendCall call{keyword, {}, {}};
    for (int i = 0; i < s.WordCount; ++i)
        call.words.emplace_back(s.StatementTokens[i], static_cast<size_t>(s.WordLength[i]));
    call.numbers.assign(s.StatementNumbers, s.StatementNumbers + s.NumberCount);
    RecordedBackendCalls().push_back(std::move(call));
}

}  // namespace

std::vector<BackendCall>& RecordedBackendCalls() {
    static std::vector<BackendCall> calls;
    return calls;
}

void SetStubReturnValue(int value) { StubValue = value; }

void ExecKeyword(int keyword, const ParsedStatement& statement) {
    Record(keyword, statement);
    switch (keyword) {
        case KeywordCheckActiveObj:
        case KeywordRandomNum:
        case KeywordCheckActiveCursor:
        case KeywordCheckMotionState:
        case KeywordCheckTimer:
        case KeywordCheckUpdateState:
        case KeywordReturnHotSpot:
        case KeywordCheckHotSpot:
            ReturnValue = StubValue;
            break;
        default:
            break;
    }
}

int ExecCommand(const ParsedStatement& statement) {
    Record(-1, statement);
    return 0;
}
