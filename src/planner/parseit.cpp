// ParseIt's entry points: reading a file into a list, looking variables up, the typed getters
// and the error printer.
#include "planner/parseit.h"

#include <cstdio>

#include "planner/messages.h"
#include "planner/parseit_detail.h"
#include "planner/parseit_scanner_detail.h"
#include "planner/parseit_statements_detail.h"
#include "platform/files.h"

namespace parseit {

const ParseSymbol* FindSymbolOfType(const ParseList& list, const std::string& name, int32_t type) {
    for (auto it = list.symbols.rbegin(); it != list.symbols.rend(); ++it) {
        if (it->type == type && it->name == name) return &*it;
    }
    return nullptr;
}

int FindStructType(const ParseList& list, const std::string& name) {
    for (int i = static_cast<int>(list.types.size()) - 1; i >= 0; --i) {
        if (list.types[i].name == name) return i;
    }
    return -1;
}

}  // namespace parseit

ParseList NewParseList() { return {}; }

bool ParseText(const std::string& text, ParseList& list) {
    parseit::Scanner s{text};
    return parseit::ParseStatements(s, list) == parseit::OK;
}

bool OpenParseFile(const std::string& path, ParseList& list) {
    // The text ends at the end of the file or at its first byte 0xFF.
    std::string text;
    bool read = false;
    if (FILE* f = platform::OpenTextFile(path)) {
        for (int c; (c = std::fgetc(f)) != EOF && c != 0xFF;) text += static_cast<char>(c);
        read = !std::ferror(f);
        std::fclose(f);
    }
    if (!read) {
        ParseItError(std::string(planner_messages::OPEN_PARSE_FILE) + path +
                     planner_messages::OPEN_PARSE_FILE_END);
        return false;
    }
    // A statement that fails ends the parse quietly: the caller keeps what stands before it.
    ParseText(text, list);
    return true;
}

void FreeParseList(ParseList& list) {
    list.symbols.clear();
    list.types.clear();
}

const ParseSymbol* FindParseSymbol(const ParseList& list, const std::string& name) {
    for (auto it = list.symbols.rbegin(); it != list.symbols.rend(); ++it) {
        if (it->name == name) return &*it;
    }
    return nullptr;
}

namespace {

// The latest variable of the name when its type is one of the accepted ones.
const ParseSymbol* Accepted(const ParseList& list, const std::string& name, int32_t a, int32_t b,
                            int& error) {
    const ParseSymbol* s = FindParseSymbol(list, name);
    bool ok = s && (s->type == a || s->type == b);
    error = ok ? 0 : -1;
    return ok ? s : nullptr;
}

}  // namespace

int32_t GetParseInt(const ParseList& list, const std::string& name, int& error) {
    const ParseSymbol* s = Accepted(list, name, PARSE_INT, PARSE_INT, error);
    return s ? s->intValue : -1;
}

double GetParseFloat(const ParseList& list, const std::string& name, int& error) {
    const ParseSymbol* s = Accepted(list, name, PARSE_FLOAT, PARSE_DOUBLE, error);
    return s ? s->doubleValue : -1.0;
}

double GetParseDouble(const ParseList& list, const std::string& name, int& error) {
    const ParseSymbol* s = Accepted(list, name, PARSE_DOUBLE, PARSE_DOUBLE, error);
    return s ? s->doubleValue : -1.0;
}

void GetParseString(const ParseList& list, const std::string& name, int& error, std::string& out) {
    const ParseSymbol* s = Accepted(list, name, PARSE_STRING, PARSE_STRING, error);
    if (s) out.assign(reinterpret_cast<const char*>(s->data.data()));
}

void ParseItError(const std::string& message) {
    std::printf(planner_messages::PARSE_ERROR_FORMAT, message.c_str());
    std::fflush(stdout);
}
