// The inner pieces of ParseIt shared by its source files: the scanner that cuts a file into
// statements, the tokens of a statement, and the expression evaluator.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "planner/parseit.h"

namespace parseit {

// The kind a statement's first word gives it.
enum StatementKind : int {
    KIND_INT = 1,
    KIND_FLOAT = 2,
    KIND_DOUBLE = 3,
    KIND_CHAR = 4,
    KIND_STRUCT = 5,
    KIND_COMMENT = 6,
    KIND_DEFINE = 7,
    KIND_TABLE = 8,
    KIND_ASSIGN = 9,
    KIND_IF = 11,
    KIND_FOR = 12,
    KIND_BLOCK = 13,
    KIND_ELSE = 14,
    KIND_UNKNOWN = -3,
};

// Statement results.
constexpr int OK = 0;
constexpr int MALFORMED = -1;
constexpr int NOT_HERE = -2;

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

// A value of the evaluator: an int or a double.
struct Value {
    bool isInt = false;
    int32_t i = 0;
    double d = 0.0;
    static Value Int(int32_t v) { return {true, v, static_cast<double>(v)}; }
    static Value Double(double v) { return {false, TruncateToInt(v), v}; }
    double AsDouble() const { return isInt ? static_cast<double>(i) : d; }
    int32_t AsInt() const { return isInt ? i : TruncateToInt(d); }
};

// Evaluates tokens [first, last) of a statement. error is set to -1 by an undeclared name, an
// empty range or an integer division by zero and left alone otherwise.
Value Evaluate(const ParseList& list, const std::vector<Token>& tokens, std::size_t first,
               std::size_t last, int& error);

// Variables by name and type, the latest first; null if none.
const ParseSymbol* FindSymbolOfType(const ParseList& list, const std::string& name, int32_t type);
// The latest struct type of that name, or -1.
int FindStructType(const ParseList& list, const std::string& name);

// Parses statements from the scanner's position to the end of its text.
int ParseStatements(Scanner& s, ParseList& list);

}  // namespace parseit
