#include "script/variables.h"

#include <cstring>

#include "platform/message_box.h"
#include "script/messages.h"
#include "script/tokenizer.h"

ScriptVariable VariableTable[MaxVariables];
int VariableCount = 0;

int FindVariable(const char* name) {
    for (int i = 0; i < MaxVariables; ++i) {
        if (VariableTable[i].name[0] && std::strcmp(VariableTable[i].name, name) == 0) return i;
    }
    return MaxVariables;
}

int IsVariableDeclared(const char* name) { return FindVariable(name) < MaxVariables ? 1 : 0; }

void ClearScriptVariables() {
    for (ScriptVariable& v : VariableTable) {
        v.name[0] = 0;
        v.value = 0;
    }
    VariableCount = 0;
}

void DeclareVariable(const char* name) {
    if (IsVariableDeclared(name)) {
        platform::MessageBox(MsgVariableRedeclaration, CaptionVarDebugLower);
        return;
    }
    if (VariableCount >= MaxVariables) {
        platform::MessageBox(MsgExceedVariables, CaptionVarDebugLower);
        return;
    }
    ScriptVariable& v = VariableTable[VariableCount++];
    std::strncpy(v.name, name, VariableNameSize - 1);
    v.name[VariableNameSize - 1] = 0;
}

int ApplyOperator(int op, int32_t a, int32_t b) {
    int64_t x = a, y = b;
    int64_t r;
    switch (op) {
        case '*': r = x * y; break;
        case '+': r = x + y; break;
        case '-': r = x - y; break;
        case '/': r = y == 0 ? 0 : x / y; break;  // a divisor of 0 gives 0
        case '<': r = x < y; break;
        case '>': r = x > y; break;
        case 'l': r = x <= y; break;
        case 'g': r = x >= y; break;
        case 'n': r = x != y; break;
        case 'q': r = x == y; break;
        case 'a': r = (x != 0) && (y != 0); break;
        case 'o': r = (x != 0) || (y != 0); break;
        default: platform::MessageBox(MsgUnrecognizedOperator, CaptionDebug); return 0;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(r)));  // low 32 bits
}

namespace {

int32_t ReadInt32(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

bool IsBlank(uint8_t t) { return t == ' ' || t == tag::Start; }

struct ConditionReader {
    const uint8_t* p;
    const uint8_t* end;

    void SkipBlanks() {
        while (p < end && IsBlank(*p)) ++p;
    }

    // One operand: a literal, a variable or a nested group; 0 when there is none.
    int32_t Operand() {
        for (;;) {
            SkipBlanks();
            if (p >= end || *p == 0 || *p == ')') return 0;
            uint8_t t = *p;
            if ((t == tag::Int || t == tag::Long) && end - p >= 5) {
                int32_t v = ReadInt32(p + 1);
                p += 5;
                return v;
            }
            if (t == tag::Variable) {
                const char* name = reinterpret_cast<const char*>(p + 1);
                const uint8_t* next = SkipToken(p, end);
                size_t n = static_cast<size_t>(next - p - 1);
                p = next;
                if (n == 0 || name[n - 1] != 0) return 0;
                int i = FindVariable(name);
                if (i == MaxVariables) {
                    platform::MessageBox(MsgUndeclaredInCondition, CaptionIfStatement);
                    return 0;  // an undeclared operand reads 0
                }
                return VariableTable[i].value;
            }
            if (t == '(') return Group();
            platform::MessageBox(MsgUnrecognizedTokenValue, CaptionEvalDebug);
            p = SkipToken(p, end);
        }
    }

    // "(" left operator right ")", the cursor on the "(" (or at the left operand of the outer
    // group).
    int32_t Group() {
        if (p < end && *p == '(') ++p;
        int32_t left = Operand();
        SkipBlanks();
        int op = 0;
        if (p < end) op = *p++;
        if (op == ')') return ApplyOperator(op, left, 0);  // no operator: the group has ended
        int32_t right = Operand();
        SkipToClose();
        return ApplyOperator(op, left, right);
    }

    // Passes what is left of a group, and its ")".
    void SkipToClose() {
        int depth = 0;
        while (p < end) {
            uint8_t t = *p;
            if (t == '(') ++depth;
            if (t == ')') {
                if (depth == 0) {
                    ++p;
                    return;
                }
                --depth;
            }
            p = SkipToken(p, end);
        }
    }
};

}  // namespace

int EvalCondition(const uint8_t* group, size_t size) {
    ConditionReader r{group, group + size};
    return r.Group();
}
