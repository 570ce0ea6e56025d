#include "script/parser.h"

#include <cmath>
#include <cstring>

#include "platform/message_box.h"
#include "script/keywords.h"
#include "script/messages.h"
#include "script/stream.h"
#include "script/tokenizer.h"

int RunMode = RunModeCompile;
ParsedStatement Parsed;
int BlockLevel = 0;

namespace {

float ReadFloat(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

int32_t ReadInt(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

// Phase 1: words and numbers. False when the statement is refused.
class WordReader {
public:
    WordReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

    bool Read() {
        while (p_ < end_ && *p_ != tag::End) {
            uint8_t t = *p_;
            switch (t) {
                case ' ':
                case ',':
                case '.':
                case ';':
                case '`':
                case tag::Start: ++p_; break;
                case tag::Float:
                case tag::Int:
                case tag::Long:
                    if (end_ - p_ < 5) return Stop();
                    if (!AddNumber(t == tag::Float ? ReadFloat(p_ + 1)
                                                   : static_cast<float>(ReadInt(p_ + 1))))
                        return false;
                    p_ += 5;
                    break;
                case tag::String:
                case tag::Name: {
                    const uint8_t* next = SkipToken(p_, end_);
                    if (!AddWord(p_ + 1, TextLength(p_ + 1, next))) return false;
                    p_ = next;
                    break;
                }
                case tag::Variable:
                    if (!Assignment()) return false;
                    break;
                case '(':
                    if (!GroupWord()) return false;
                    break;
                case ')':
                    platform::MessageBox(MsgUnmatchedRightParen, CaptionDebug);
                    ++p_;
                    break;
                case '{':
                    ++BlockLevel;
                    ++BraceDepth;
                    ++p_;
                    break;
                case '}':
                    --BlockLevel;
                    --BraceDepth;
                    ++p_;
                    break;
                default:
                    platform::MessageBox(MsgUnrecognizedToken, CaptionWarning);
                    p_ = t == tag::Char ? SkipToken(p_, end_) : p_ + 1;
                    break;
            }
        }
        return true;
    }

private:
    static size_t TextLength(const uint8_t* s, const uint8_t* next) {
        size_t n = static_cast<size_t>(next - s);
        return (n > 0 && s[n - 1] == 0) ? n - 1 : n;
    }

    bool Stop() {
        p_ = end_;
        return true;
    }

    bool Refuse() {
        platform::MessageBox(MsgExceedParserToken, CaptionError);
        return false;
    }

    bool AddNumber(float v) {
        if (Parsed.NumberCount >= MaxNumbers) return Refuse();
        Parsed.StatementNumbers[Parsed.NumberCount++] = v;
        return true;
    }

    bool AddWord(const uint8_t* bytes, size_t n, bool variableMark = false) {
        if (Parsed.WordCount >= MaxWords || n >= static_cast<size_t>(WordSize)) return Refuse();
        int w = Parsed.WordCount++;
        std::memcpy(Parsed.StatementTokens[w], bytes, n);
        Parsed.StatementTokens[w][n] = 0;
        Parsed.WordLength[w] = static_cast<int>(n);
        Parsed.VariableMark[w] = variableMark;
        return true;
    }

    // A statement naming a declared variable: "var", the name, and the rest up to its ';'.
    bool Assignment() {
        static const uint8_t VarWord[] = {'v', 'a', 'r'};
        const uint8_t* next = SkipToken(p_, end_);
        if (!AddWord(VarWord, 3, true) || !AddWord(p_ + 1, TextLength(p_ + 1, next))) return false;
        const uint8_t* q = next;
        while (q < end_ && *q != tag::End && *q != ';') q = SkipToken(q, end_);
        const uint8_t* stop = (q < end_ && *q == ';') ? q + 1 : q;
        if (!AddWord(next, static_cast<size_t>(stop - next))) return false;
        p_ = stop;
        return true;
    }

    // "(" through its matching ")", nested pairs counted.
    bool GroupWord() {
        const uint8_t* q = p_;
        int depth = 0;
        bool closed = false;
        while (q < end_ && *q != tag::End) {
            uint8_t t = *q;
            if (t == '{') {  // a brace inside an open group ends it
                ++q;
                break;
            }
            q = SkipToken(q, end_);
            if (t == '(') ++depth;
            if (t == ')' && --depth == 0) {
                closed = true;
                break;
            }
        }
        if (!closed) platform::MessageBox(MsgNoMatchingRightParen, CaptionParenCheck);
        if (!AddWord(p_, static_cast<size_t>(q - p_))) return false;
        p_ = q;
        return true;
    }

    const uint8_t* p_;
    const uint8_t* end_;
};

}  // namespace

int FindKeyword(const char* word) {
    for (int i = 0; i < KeywordCount; ++i) {
        if (std::strcmp(word, StatementKeywordTable[i]) == 0) return i;
    }
    return -1;
}

ParseResult ParseStatement(const uint8_t* encoded, size_t size) {
    Parsed.TokenCount = 0;
    Parsed.WordCount = 0;
    Parsed.NumberCount = 0;
    if (size == 0 || static_cast<int8_t>(encoded[0]) <= 0) return ParseResult::Empty;

    WordReader reader(encoded + 1, encoded + size);
    if (!reader.Read()) {
        Parsed.WordCount = 0;
        Parsed.NumberCount = 0;
        return ParseResult::Refused;
    }
    if (Parsed.WordCount == 0) return ParseResult::Empty;

    int keyword = FindKeyword(Parsed.StatementTokens[0]);
    if (keyword < 0) {
        if (RunMode == RunModeCompile) AppendStatement(encoded, size);
        return ParseResult::Command;
    }
    HandleKeyword(keyword, encoded, size);
    return ParseResult::Keyword;
}

int IntArg(const ParsedStatement& statement, int k) {
    if (k < 0 || k >= statement.NumberCount) return 0;
    float f = statement.StatementNumbers[k];
    if (std::isnan(f)) return 0;
    if (f >= 2147483647.0f) return 2147483647;
    if (f <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(f);
}

const char* NameArg(const ParsedStatement& statement, int k) {
    bool marked = k >= 0 && k < statement.WordCount && statement.VariableMark[k];
    return WordArg(statement, marked ? k + 1 : k);
}

float FloatArg(const ParsedStatement& statement, int k) {
    if (k < 0 || k >= statement.NumberCount) return 0.0f;
    return statement.StatementNumbers[k];
}

const char* WordArg(const ParsedStatement& statement, int k) {
    if (k < 0 || k >= statement.WordCount) return "";
    return statement.StatementTokens[k];
}
