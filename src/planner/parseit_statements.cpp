// ParseIt's statements: the statement loop and the handler of each statement kind.
#include "planner/parseit_statements_detail.h"

#include <algorithm>
#include <cstring>

#include "planner/limits.h"
#include "planner/messages.h"
#include "planner/parseit_detail.h"
#include "planner/parseit_eval_detail.h"
#include "planner/parseit_scanner_detail.h"

namespace parseit {
namespace {

int Classify(const ParseList& list, const std::string& word) {
    for (const auto& row : planner_limits::PARSE_STATEMENTS) {
        if (row.firstWord && word == row.firstWord) return row.kind;
    }
    if (FindStructType(list, word) >= 0) return KIND_TABLE;
    if (FindParseSymbol(list, word)) return KIND_ASSIGN;
    return KIND_UNKNOWN;
}

const char* Terminator(int kind) {
    for (const auto& row : planner_limits::PARSE_STATEMENTS) {
        if (row.kind == kind) return row.terminator;
    }
    return ";";
}

// A quoted token's text without its quotes; false when the token is not quoted.
bool Unquote(const Token& t, std::string& text) {
    if (t.text.empty() || t.text[0] != '"') return false;
    text = t.text.substr(1);
    if (!text.empty() && text.back() == '"') text.pop_back();
    return true;
}

// Stores text into a zero-terminated buffer, cut to fit.
void StoreText(std::vector<unsigned char>& buffer, const std::string& text) {
    if (buffer.empty()) return;
    std::size_t n = std::min(text.size(), buffer.size() - 1);
    std::fill(buffer.begin(), buffer.end(), 0);
    std::memcpy(buffer.data(), text.data(), n);
}

ParseSymbol& AddSymbol(ParseList& list, int32_t type, const std::string& name) {
    ParseSymbol& s = list.symbols.emplace_back();
    s.type = type;
    s.name = name;
    return s;
}

void SetNumber(ParseSymbol& s, const Value& v) {
    s.intValue = v.AsInt();
    s.doubleValue = v.AsDouble();
}

void AddString(ParseList& list, const std::string& name, std::size_t size,
               const std::string& text) {
    ParseSymbol& s = AddSymbol(list, PARSE_STRING, name);
    s.data.assign(size, 0);
    StoreText(s.data, text);
}

// int, float and double: a name alone (value 0) or a name, "=" and an expression.
int DefineNumber(int32_t type, const std::vector<Token>& t, ParseList& list) {
    if (t.size() == 1) {
        SetNumber(AddSymbol(list, type, t[0].text), Value::Int(0));
        return OK;
    }
    if (t.size() < 2 || t[1].text != "=") return MALFORMED;
    int error = 0;
    Value v = Evaluate(list, t, 2, t.size(), error);
    SetNumber(AddSymbol(list, type, t[0].text), v);
    return error;
}

// char: a name alone, a name = 'c', a string name[N], or name[N] = "text".
int DefineChar(const std::vector<Token>& t, ParseList& list) {
    if (t.size() == 1) {
        AddSymbol(list, PARSE_CHAR, t[0].text);
        return OK;
    }
    bool array = (t.size() == 4 || t.size() == 6) && t[1].text == "[" && t[3].text == "]";
    if (array) {
        if (t[2].kind != TOKEN_INTEGER || t[2].intValue < 1 ||
            static_cast<std::size_t>(t[2].intValue) > planner_limits::MAX_DATA_BYTES) {
            return MALFORMED;
        }
        std::string text;
        if (t.size() == 6 && (t[4].text != "=" || !Unquote(t[5], text))) return MALFORMED;
        AddString(list, t[0].text, static_cast<std::size_t>(t[2].intValue), text);
        return OK;
    }
    if (t.size() >= 4 && t[1].text == "=" && t[2].text == "'") {
        ParseSymbol& s = AddSymbol(list, PARSE_CHAR, t[0].text);
        s.intValue = static_cast<unsigned char>(t[3].text[0]);
        return OK;
    }
    return MALFORMED;
}

// struct: the type name, "{", then fields "type name;" or "char name[N];".
int DefineStruct(const std::vector<Token>& t, ParseList& list) {
    if (t.size() < 2 || t[1].text != "{") return MALFORMED;
    ParseStructType type;
    type.name = t[0].text;
    std::size_t i = 2;
    while (i < t.size()) {
        const std::string& word = t[i].text;
        ParseField f;
        if (word == "int") {
            f.type = PARSE_INT, f.size = 4;
        } else if (word == "float") {
            f.type = PARSE_FLOAT, f.size = 4;
        } else if (word == "double") {
            f.type = PARSE_DOUBLE, f.size = 8;
        } else if (word == "char") {
            f.type = PARSE_CHAR, f.size = 1;
        } else {
            ParseItError(planner_messages::BAD_FIELD_NAME);
        }
        if (f.type != 0) {
            if (i + 1 >= t.size()) return MALFORMED;
            f.name = t[i + 1].text;
            if (f.type == PARSE_CHAR && i + 4 < t.size() && t[i + 2].text == "[" &&
                t[i + 4].text == "]") {
                if (t[i + 3].kind != TOKEN_INTEGER || t[i + 3].intValue < 1) return MALFORMED;
                f.type = PARSE_STRING;
                f.size = t[i + 3].intValue;
            }
            if (int64_t{type.totalSize} + f.size > int64_t{planner_limits::MAX_DATA_BYTES}) {
                return MALFORMED;
            }
            type.totalSize += f.size;
            type.fields.push_back(std::move(f));
        }
        // The rest of the field, up to and including its ";", is skipped (so is a bad field).
        while (i < t.size() && t[i].text != ";") ++i;
        ++i;
    }
    list.types.push_back(std::move(type));
    return OK;
}

// #define: a name and a quoted text (a string) or an expression (an int or a double).
int Define(const std::vector<Token>& t, ParseList& list) {
    if (t.empty()) return MALFORMED;
    std::string text;
    if (t.size() >= 2 && Unquote(t[1], text)) {
        AddString(list, t[0].text, text.size() + 1, text);
        return OK;
    }
    int error = 0;
    Value v = Evaluate(list, t, 1, t.size(), error);
    SetNumber(AddSymbol(list, v.isInt ? PARSE_INT : PARSE_DOUBLE, t[0].text), v);
    return error;
}

// Writes one field's value into a row; `p` moves past the tokens it takes.
void ReadField(const ParseField& f, const std::vector<Token>& t, std::size_t& p,
               unsigned char* at) {
    const Token& tok = t[p];
    switch (f.type) {
        case PARSE_INT: std::memcpy(at, &tok.intValue, 4); break;
        case PARSE_FLOAT: {
            float v = static_cast<float>(tok.doubleValue);
            std::memcpy(at, &v, 4);
            break;
        }
        case PARSE_DOUBLE: std::memcpy(at, &tok.doubleValue, 8); break;
        case PARSE_CHAR:
            // A character between apostrophes: three tokens.
            if (p + 1 < t.size()) *at = static_cast<unsigned char>(t[p + 1].text[0]);
            p += 2;
            break;
        case PARSE_STRING: {
            std::string text;
            if (Unquote(tok, text)) {
                std::size_t n = std::min(text.size(), static_cast<std::size_t>(f.size) - 1);
                std::memcpy(at, text.data(), n);
            }
            break;
        }
    }
    ++p;
}

// A table: name[count] = rows #END_DATA, one value per field of the struct type in each row.
int DefineTable(int typeIndex, const std::vector<Token>& t, ParseList& list) {
    if (t.size() < 2 || t[1].text != "[") return MALFORMED;
    std::size_t close = 2;
    while (close < t.size() && t[close].text != "]") ++close;
    if (close >= t.size()) return MALFORMED;
    int error = 0;
    int32_t count = Evaluate(list, t, 2, close, error).AsInt();
    const ParseStructType& type = list.types[typeIndex];
    std::size_t rowSize = static_cast<std::size_t>(type.totalSize);
    if (error != 0 || count < 0 ||
        static_cast<std::size_t>(count) * rowSize > planner_limits::MAX_DATA_BYTES) {
        return MALFORMED;
    }
    ParseSymbol& table = AddSymbol(list, PARSE_TABLE, t[0].text);
    table.structType = typeIndex;
    table.data.assign(static_cast<std::size_t>(count) * rowSize, 0);

    std::size_t p = close + 4;
    for (int32_t row = 0; row < count && p + 1 < t.size(); ++row) {
        if (t[p].text == "{") ++p;  // a row written in braces of its own
        unsigned char* at = table.data.data() + row * rowSize;
        for (const ParseField& f : type.fields) {
            if (p >= t.size()) break;
            ReadField(f, t, p, at);
            at += f.size;
        }
        ++p;  // the row's closing token
    }
    return OK;
}

// Assignment to an existing variable: "=" and an expression, a 'c' or a quoted text.
int Assign(ParseSymbol& s, const std::vector<Token>& t, const ParseList& list) {
    if (t.empty() || t[0].text != "=") return MALFORMED;
    switch (s.type) {
        case PARSE_INT:
        case PARSE_FLOAT:
        case PARSE_DOUBLE: {
            int error = 0;
            SetNumber(s, Evaluate(list, t, 1, t.size(), error));
            return error;
        }
        case PARSE_CHAR:
            if (t.size() < 3 || t[1].text != "'") return MALFORMED;
            s.intValue = static_cast<unsigned char>(t[2].text[0]);
            return OK;
        case PARSE_STRING: {
            std::string text;
            if (t.size() < 2 || !Unquote(t[1], text)) return MALFORMED;
            StoreText(s.data, text);
            return OK;
        }
        default: return MALFORMED;
    }
}

// The next word that is not a comment; false at the end of the text or in an open comment.
bool ReadWordSkippingComments(Scanner& s, std::string& word) {
    while (ReadFirstWord(s, word)) {
        if (word != "/*") return true;
        std::size_t end = s.text.find("*/", s.pos);
        if (end == std::string::npos) return false;
        s.pos = end + 2;
    }
    return false;
}

// A block in braces: the text between "{" and its matching "}".
bool ReadBlock(Scanner& s, std::string& block) {
    std::string word;
    if (!ReadWordSkippingComments(s, word) || word != "{") return false;
    std::size_t start = s.pos;
    int depth = 1;
    for (; !s.AtEnd(); ++s.pos) {
        char c = s.text[s.pos];
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            block = s.text.substr(start, s.pos - start);
            ++s.pos;
            return true;
        }
    }
    return false;
}

// if (condition) { block } [else { block }]: the chosen block is parsed into the same list.
int If(const std::vector<Token>& t, Scanner& s, ParseList& list) {
    if (t.empty() || t[0].text != "(") return MALFORMED;
    int error = 0;
    int32_t condition = Evaluate(list, t, 1, t.size(), error).AsInt();
    if (error != 0) return error;
    std::string thenBlock, elseBlock;
    if (!ReadBlock(s, thenBlock)) return MALFORMED;
    std::size_t afterThen = s.pos;
    std::string word;
    bool hasElse = ReadWordSkippingComments(s, word) && word == "else";
    if (hasElse) {
        if (!ReadBlock(s, elseBlock)) return MALFORMED;
    } else {
        s.pos = afterThen;
    }
    if (condition == 0 && !hasElse) return OK;
    const std::string& chosen = condition != 0 ? thenBlock : elseBlock;
    Scanner inner{chosen};
    return ParseStatements(inner, list);
}

int Handle(int kind, const std::string& word, const std::string& text, Scanner& s,
           ParseList& list) {
    if (kind == KIND_COMMENT) return OK;
    std::vector<Token> t = Tokenize(text);
    switch (kind) {
        case KIND_INT: return DefineNumber(PARSE_INT, t, list);
        case KIND_FLOAT: return DefineNumber(PARSE_FLOAT, t, list);
        case KIND_DOUBLE: return DefineNumber(PARSE_DOUBLE, t, list);
        case KIND_CHAR: return DefineChar(t, list);
        case KIND_STRUCT: return DefineStruct(t, list);
        case KIND_DEFINE: return Define(t, list);
        case KIND_TABLE: return DefineTable(FindStructType(list, word), t, list);
        case KIND_ASSIGN: {
            for (auto it = list.symbols.rbegin(); it != list.symbols.rend(); ++it) {
                if (it->name == word) return Assign(*it, t, list);
            }
            return MALFORMED;
        }
        case KIND_IF: return If(t, s, list);
        default: return NOT_HERE;
    }
}

}  // namespace

int ParseStatements(Scanner& s, ParseList& list) {
    std::string word;
    while (ReadFirstWord(s, word)) {
        int kind = Classify(list, word);
        std::string text;
        int result = ReadStatementText(s, Terminator(kind), kind == KIND_COMMENT, text)
                         ? Handle(kind, word, text, s, list)
                         : MALFORMED;
        if (result != OK) return result;
    }
    return OK;
}

}  // namespace parseit
