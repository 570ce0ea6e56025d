// ParseIt's scanner: the cursor that cuts a file into statements, a statement's first word and
// text, and the tokens of a statement.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace parseit {

bool IsWordChar(char c);
bool IsTokenChar(char c);

// A cursor over the text being parsed.
struct Scanner {
    const std::string& text;
    std::size_t pos = 0;
    bool AtEnd() const { return pos >= text.size(); }
};

// The next statement's first word; false at the end of the text.
bool ReadFirstWord(Scanner& s, std::string& word);
// The characters up to the terminator (consumed, not included), comments removed unless
// `keepComments`. False when the text ends first.
bool ReadStatementText(Scanner& s, const std::string& terminator, bool keepComments,
                       std::string& out);

enum TokenKind { TOKEN_INTEGER, TOKEN_REAL, TOKEN_OTHER };

struct Token {
    std::string text;
    TokenKind kind = TOKEN_OTHER;
    int32_t intValue = -1;
    double doubleValue = -1.0;
};

// Re-spaces a statement text and cuts it into tokens (a quoted string stays one token).
std::vector<Token> Tokenize(const std::string& statementText);

// Truncates toward zero into the int32 range; NaN gives 0.
int32_t TruncateToInt(double v);

}  // namespace parseit
