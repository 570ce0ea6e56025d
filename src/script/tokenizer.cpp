#include "script/tokenizer.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "script/limits.h"
#include "script/variables.h"

int BraceDepth = 0;
int ParenDropFlag = 0;

namespace {

// Halfway between the largest float and 2^128: a double from here up rounds to the float
// infinity, one below it to a finite float (the largest, FLT_MAX, from above it).
constexpr double FloatOverflowEdge = 0x1.ffffffp127;

// The end of a string literal whose characters begin at `s`: its closing '"', or the end of the
// line.
const char* StringLiteralEnd(const char* s) {
    while (*s && *s != '"' && *s != '\n') ++s;
    return s;
}

// Past the "/*" comment that begins at `c`: after its "*/", or at the end of the line.
const char* PastBlockComment(const char* c) {
    const char* close = std::strstr(c + 2, "*/");
    return close ? close + 2 : c + std::strlen(c);
}

// Where a failed write leaves the scan.
enum class Fault { None, TooLong, OutOfRange, Full };

Fault LiteralFault(Literal result) {
    switch (result) {
        case Literal::Written: return Fault::None;
        case Literal::TooLong: return Fault::TooLong;
        case Literal::OutOfRange: return Fault::OutOfRange;
        case Literal::NoRoom: break;
    }
    return Fault::Full;
}

struct Writer {
    uint8_t* p;
    const uint8_t* end;
    bool Room(size_t n) const { return static_cast<size_t>(end - p) >= n; }
    bool Put(uint8_t b) {
        if (!Room(1)) return false;
        *p++ = b;
        return true;
    }
    bool PutInt32(uint8_t tag, int32_t v) {
        if (!Room(5)) return false;
        uint32_t u = static_cast<uint32_t>(v);
        *p++ = tag;
        for (int i = 0; i < 4; ++i) *p++ = static_cast<uint8_t>(u >> (8 * i));
        return true;
    }
    bool PutFloat(float f) {
        int32_t bits;
        std::memcpy(&bits, &f, 4);
        return PutInt32(tag::Float, bits);
    }
    bool PutText(uint8_t tag, const char* s, size_t n) {
        if (!Room(n + 2)) return false;
        *p++ = tag;
        std::memcpy(p, s, n);
        p += n;
        *p++ = 0;
        return true;
    }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '-'; }

// The C library's atoi on a run of digits and '-', kept inside int32.
int32_t IntegerValue(const char* text, size_t n) {
    size_t i = 0;
    bool negative = false;
    if (i < n && text[i] == '-') {
        negative = true;
        ++i;
    }
    int64_t v = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) v = 2147483648LL;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) v = 2147483647LL;
    return static_cast<int32_t>(v);
}

// The two-character operator codes.
uint8_t PairCode(char a, char b) {
    switch (a) {
        case '!': return b == '=' ? 'n' : 0;
        case '&': return b == '&' ? 'a' : 0;
        case '+': return b == '+' ? 'p' : 0;
        case '<': return b == '<' ? 'L' : b == '=' ? 'l' : 0;
        case '=': return b == '=' ? 'q' : 0;
        case '>': return b == '>' ? 'R' : b == '=' ? 'g' : 0;
        case '|': return b == '|' ? 'o' : 0;
        default: return 0;
    }
}

}  // namespace

int IsCharInSet(char c, const char* set) {
    for (; *set; ++set) {
        if (*set == c) return 1;
    }
    return 0;
}

Literal ScanFloatLiteral(const char*& cursor, uint8_t*& write, const uint8_t* writeEnd) {
    const char* s = cursor;
    bool dot = false, exponent = false, digitSeen = false;
    size_t n = 0;
    for (;; ++n) {
        char c = s[n];
        if (IsDigit(c) || c == '-') {
            digitSeen = true;
        } else if (c == '.' && !dot) {
            dot = true;
        } else if ((c == 'e' || c == 'E') && !exponent && (dot || digitSeen)) {
            exponent = true;
        } else {
            break;
        }
    }
    if (n > static_cast<size_t>(MaxLiteralLength)) return Literal::TooLong;
    char text[MaxLiteralLength + 1];
    std::memcpy(text, s, n);
    text[n] = 0;
    const double value = std::strtod(text, nullptr);
    // A number is beyond the float range when rounding it to a float overflows; one between
    // FLT_MAX and the edge rounds to FLT_MAX, which is written as such.
    const double magnitude = std::fabs(value);
    if (!(magnitude < FloatOverflowEdge)) return Literal::OutOfRange;
    const float rounded = magnitude <= FLT_MAX ? static_cast<float>(value)
                          : value < 0          ? -FLT_MAX
                                               : FLT_MAX;
    Writer w{write, writeEnd};
    if (!w.PutFloat(rounded)) return Literal::NoRoom;
    write = w.p;
    cursor = s + n;
    return Literal::Written;
}

Literal ScanIntLiteral(const char*& cursor, uint8_t*& write, const uint8_t* writeEnd) {
    const char* s = cursor;
    size_t n = 0;
    while (IsDigit(s[n]) || s[n] == '-') ++n;
    if (s[n] == '.' || s[n] == 'e' || s[n] == 'E') return ScanFloatLiteral(cursor, write, writeEnd);
    if (n > static_cast<size_t>(MaxLiteralLength)) return Literal::TooLong;
    int32_t value = IntegerValue(s, n);
    uint8_t t = tag::Int;
    if (s[n] == 'l' || s[n] == 'L') {
        t = tag::Long;
        ++n;
    }
    Writer w{write, writeEnd};
    if (!w.PutInt32(t, value)) return Literal::NoRoom;
    write = w.p;
    cursor = s + n;
    return Literal::Written;
}

int ScanTokens(const char* line, uint8_t* out, size_t room) {
    // The first byte is reserved for the leading '@'; two more bytes close the line.
    if (room < 3) return ScanFull;
    Writer w{out + 1, out + room - 2};
    const int depthBefore = BraceDepth;
    bool complete = false;
    Fault fault = Fault::None;
    const char* c = line;

    while (*c && *c != '\n' && fault == Fault::None) {
        char ch = *c;
        bool ok = true;
        if (ch == '\t' || ch == ' ' || ch == '#') {
            ++c;
        } else if (ch == '"') {
            const char* s = ++c;
            c = StringLiteralEnd(s);
            size_t n = static_cast<size_t>(c - s);
            if (n > static_cast<size_t>(MaxLiteralLength)) {
                fault = Fault::TooLong;
                break;
            }
            ok = w.PutText(tag::String, s, n);
            if (*c == '"') ++c;
        } else if (ch == '\'') {
            if (!c[1] || c[1] == '\n') break;  // a quote at the end of the line ends it
            ok = w.Room(2) && w.Put(tag::Char) && w.Put(static_cast<uint8_t>(c[1]));
            c += 2;
        } else if (IsCharInSet(ch, "!&+<=>|")) {
            uint8_t code = PairCode(ch, c[1]);
            ok = w.Put(code ? code : static_cast<uint8_t>(ch));
            c += code ? 2 : 1;
        } else if (IsCharInSet(ch, "*%^")) {
            ok = w.Put(static_cast<uint8_t>(ch));
            ++c;
        } else if (ch == '/') {
            if (c[1] == '/') return ScanComment;
            if (c[1] == '*') {
                c = PastBlockComment(c);
            } else {
                ok = w.Put('/');
                ++c;
            }
        } else if (ch == '(' || ch == ')') {
            if (ParenDropFlag == 0) ok = w.Put(static_cast<uint8_t>(ch));
            ++c;
        } else if (ch == '.' && (IsDigit(c[1]) || c[1] == '-')) {
            fault = LiteralFault(ScanFloatLiteral(c, w.p, w.end));
        } else if (IsDigit(ch) || ch == '-') {
            fault = LiteralFault(ScanIntLiteral(c, w.p, w.end));
        } else if (IsLetter(ch) || ch == '_') {
            const char* s = c;
            while (IsNameChar(*c)) ++c;
            size_t n = static_cast<size_t>(c - s);
            if (n > static_cast<size_t>(MaxIdentifierLength)) {
                fault = Fault::TooLong;
                break;
            }
            char name[MaxIdentifierLength + 1];
            std::memcpy(name, s, n);
            name[n] = 0;
            if (IsVariableDeclared(name)) {
                ok = w.PutText(tag::Variable, name, n);
            } else {
                ok = w.PutText(tag::Name, name, n);
                ParenDropFlag =
                    (std::strcmp(name, "if") == 0 || std::strcmp(name, "while") == 0) ? 0 : 1;
            }
        } else if (IsCharInSet(ch, "[],.;:{}~?")) {
            ok = w.Put(static_cast<uint8_t>(ch));
            if (ok) {
                if (ch == ';') ParenDropFlag = 0;
                if (ch == '{') ++BraceDepth;
                if (ch == '}') --BraceDepth;
                if (ch == ';' || ch == '{' || ch == '}') complete = true;
            }
            ++c;
        } else {
            ++c;  // anything else is passed over
        }
        if (!ok && fault == Fault::None) fault = Fault::Full;
    }

    if (fault != Fault::None) BraceDepth = depthBefore;  // a refused line counts no brace
    if (fault == Fault::TooLong) return ScanTooLong;
    if (fault == Fault::OutOfRange) return ScanOutOfRange;
    if (fault == Fault::Full) return ScanFull;
    out[0] = tag::Start;
    if (complete) {
        *w.p++ = tag::End;
        *w.p++ = tag::Start;
        return ScanComplete;
    }
    *w.p = tag::Start;  // overwritten by the next line's leading '@'
    return static_cast<int>(w.p - out);
}

int PassOverTokens(const char* line) {
    // Only what can end a statement matters: string and character literals and comments, which
    // hide the characters in them, and ';', '{' and '}'.
    bool complete = false;
    for (const char* c = line; *c && *c != '\n';) {
        if (*c == '"') {
            c = StringLiteralEnd(c + 1);
            if (*c == '"') ++c;
        } else if (*c == '\'') {
            if (!c[1] || c[1] == '\n') break;
            c += 2;
        } else if (*c == '/' && c[1] == '/') {
            return ScanComment;
        } else if (*c == '/' && c[1] == '*') {
            c = PastBlockComment(c);
        } else {
            if (*c == ';' || *c == '{' || *c == '}') complete = true;
            ++c;
        }
    }
    return complete ? ScanComplete : ScanGoesOn;
}

const uint8_t* SkipToken(const uint8_t* p, const uint8_t* end) {
    if (p >= end) return end;
    uint8_t t = *p++;
    switch (t) {
        case tag::Int:
        case tag::Long:
        case tag::Float: return end - p >= 4 ? p + 4 : end;
        case tag::Char: return p < end ? p + 1 : end;
        case tag::String:
        case tag::Name:
        case tag::Variable:
            while (p < end && *p) ++p;
            return p < end ? p + 1 : end;
        default: return p;
    }
}
