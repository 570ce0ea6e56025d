// ParseIt's scanner: statement words, statement texts and tokens.
#include "planner/parseit_scanner_detail.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "planner/limits.h"

namespace parseit {
namespace {

constexpr std::size_t MAX_TOKEN_LENGTH = planner_limits::TOKEN_CELL - 1;

void CutToCell(std::string& s) {
    if (s.size() > MAX_TOKEN_LENGTH) s.resize(MAX_TOKEN_LENGTH);
}

bool IsSeparator(char c) { return !IsWordChar(c) && !IsTokenChar(c); }

// Re-spaces a statement: tokens separated by single blanks, quoted strings kept as they stand.
std::string Respace(const std::string& text) {
    std::string out;
    auto blank = [&out] {
        if (!out.empty() && out.back() != ' ') out += ' ';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (IsWordChar(c)) {
            out += c;
        } else if (c == '"') {
            std::size_t close = text.find('"', i + 1);
            if (close == std::string::npos) close = text.size() - 1;
            out.append(text, i, close - i + 1);
            i = close;
        } else if (IsTokenChar(c)) {
            blank();
            out += c;
            out += ' ';
        } else {
            blank();
        }
    }
    return out;
}

bool AllDigits(const std::string& s, int& dots) {
    dots = 0;
    int digits = 0;
    for (char c : s) {
        if (c == '.') {
            ++dots;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

void Classify(Token& t) {
    int dots = 0;
    if (!AllDigits(t.text, dots)) return;
    if (dots == 0 && t.text[0] != '.') {
        t.kind = TOKEN_INTEGER;
        t.doubleValue = std::strtod(t.text.c_str(), nullptr);
        t.intValue = TruncateToInt(t.doubleValue);
    } else if (dots == 1) {
        t.kind = TOKEN_REAL;
        t.doubleValue = std::strtod(t.text.c_str(), nullptr);
    }
}

}  // namespace

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_';
}

bool IsTokenChar(char c) { return c != '\0' && std::strchr("!\"#'()*+-/;<=>[]^{}", c) != nullptr; }

int32_t TruncateToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

bool ReadFirstWord(Scanner& s, std::string& word) {
    const std::string& t = s.text;
    while (!s.AtEnd() && IsSeparator(t[s.pos])) ++s.pos;
    if (s.AtEnd()) return false;
    word.clear();
    char c = t[s.pos];
    if (c == '/') {
        word = (s.pos + 1 < t.size() && t[s.pos + 1] == '*') ? "/*" : "/";
        s.pos = std::min(s.pos + 2, t.size());
        return true;
    }
    if (c == '{') {
        word = "{";
        ++s.pos;
        return true;
    }
    if (c == '#') {
        word = "#";
        ++s.pos;
    }
    while (!s.AtEnd() && IsWordChar(t[s.pos])) word += t[s.pos++];
    CutToCell(word);
    return true;
}

bool ReadStatementText(Scanner& s, const std::string& terminator, bool keepComments,
                       std::string& out) {
    const std::string& t = s.text;
    std::string text;
    std::size_t matched = 0;
    while (!s.AtEnd()) {
        if (!keepComments && matched == 0 && t.compare(s.pos, 2, "/*") == 0) {
            std::size_t end = t.find("*/", s.pos + 2);
            if (end == std::string::npos) break;
            s.pos = end + 2;
            continue;
        }
        char c = t[s.pos++];
        if (c == terminator[matched]) {
            if (++matched == terminator.size()) {
                out = std::move(text);
                return true;
            }
            continue;
        }
        // A partial match that fails is ordinary text; the character may begin a new match.
        text.append(terminator, 0, matched);
        matched = 0;
        if (c == terminator[0]) {
            matched = 1;
        } else {
            text += c;
        }
    }
    s.pos = t.size();
    return false;
}

std::vector<Token> Tokenize(const std::string& statementText) {
    std::string r = Respace(statementText);
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < r.size()) {
        if (r[i] == ' ') {
            ++i;
            continue;
        }
        Token tok;
        while (i < r.size() && r[i] != ' ') {
            if (r[i] == '"') {
                std::size_t close = r.find('"', i + 1);
                if (close == std::string::npos) close = r.size() - 1;
                tok.text.append(r, i, close - i + 1);
                i = close + 1;
            } else {
                tok.text += r[i++];
            }
        }
        CutToCell(tok.text);
        Classify(tok);
        tokens.push_back(std::move(tok));
    }
    return tokens;
}

}  // namespace parseit
