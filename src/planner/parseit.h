// ParseIt: the small C-like configuration language of the robot planner. A file is parsed whole
// into a list of typed variables (numbers, characters, strings and tables of struct rows), which
// the program reads back by name. Errors are printed on the standard output and never stop the
// program: a statement that fails ends the parse, keeping what was defined before it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Types of variables and struct fields.
enum ParseType : int32_t {
    PARSE_INT = 1,
    PARSE_FLOAT = 2,
    PARSE_DOUBLE = 3,
    PARSE_CHAR = 4,
    PARSE_TABLE = 8,
    PARSE_STRING = 10,  // a string variable, or a char array field
};

struct ParseField {
    int32_t type = 0;
    std::string name;
    int32_t size = 0;  // bytes: int 4, float 4, double 8, char 1, char array N
};

struct ParseStructType {
    std::string name;
    int32_t totalSize = 0;  // sum of the field sizes; rows are packed without padding
    std::vector<ParseField> fields;
};

struct ParseSymbol {
    int32_t type = 0;
    std::string name;
    // A string's bytes (its capacity, terminated by a zero byte) or a table's rows.
    std::vector<unsigned char> data;
    int32_t intValue = 0;  // numbers truncated; a char's character
    double doubleValue = 0.0;
    int32_t structType = -1;  // a table's row type: its index in ParseList::types
};

// The parsed file. Lookups search from the back, so the latest definition of a name wins.
struct ParseList {
    std::vector<ParseStructType> types;
    std::vector<ParseSymbol> symbols;
};

ParseList NewParseList();
// Parses the file into the list; prints "Error Opening parse file: '...'" if it cannot be opened
// or read, and then gives false. A statement that fails ends the parse and is no failure here.
bool OpenParseFile(const std::string& path, ParseList& list);
// Parses text as if it were a file's contents; false when a statement failed.
bool ParseText(const std::string& text, ParseList& list);
void FreeParseList(ParseList& list);

// The latest variable of that name, or null.
const ParseSymbol* FindParseSymbol(const ParseList& list, const std::string& name);

// Typed getters: error 0 on success; -1 (or -1.0) with error -1 when the name is missing or has
// another type. GetParseFloat accepts float and double variables, GetParseDouble doubles only.
int32_t GetParseInt(const ParseList& list, const std::string& name, int& error);
double GetParseFloat(const ParseList& list, const std::string& name, int& error);
double GetParseDouble(const ParseList& list, const std::string& name, int& error);
// Copies a string variable's text into `out`; a missing name (or one that is not a string)
// gives error -1 and leaves `out` unchanged.
void GetParseString(const ParseList& list, const std::string& name, int& error, std::string& out);

// Prints "ParseIt Error: <message>\n" on the standard output.
void ParseItError(const std::string& message);
