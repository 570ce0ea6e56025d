// The statement parser: turns an encoded statement into the ParsedStatement (its words and
// numbers) and handles the statement keywords. While compiling it appends statements to the
// script stream; while running it performs the keywords.
#pragma once
#include <cstddef>
#include <cstdint>

#include "script/limits.h"

// RunMode: compiling a file (statements are appended) or running (statements execute).
constexpr int RunModeCompile = 4;
constexpr int RunModeRun = 8;
extern int RunMode;

// The statement being executed. Words keep their bytes until a later statement overwrites them,
// so a statement without words still shows the first word of the one before it.
struct ParsedStatement {
    char StatementTokens[MaxWords][WordSize];  // NUL-closed; a group word holds encoded bytes
    int WordLength[MaxWords];                  // bytes of each word, without the closing NUL
    bool VariableMark[MaxWords];               // the word "var" made for a declared variable
    float StatementNumbers[MaxNumbers];
    int WordCount;    // words made by the last parse
    int NumberCount;  // numbers made by the last parse
    int TokenCount;   // index of the word being read by a keyword or command handler
};
extern ParsedStatement Parsed;

// "{" minus "}" met by the parser over the life of the program; a state's nesting level.
extern int BlockLevel;

enum class ParseResult {
    Refused,  // too many or too long words or numbers: neither appended nor executed
    Empty,    // no words (braces and numbers only)
    Keyword,  // a statement keyword, handled here
    Command,  // any other first word: appended while compiling, the dispatcher's while running
};

// Parses one encoded statement of at most `size` bytes (it stops at the '\' end mark).
ParseResult ParseStatement(const uint8_t* encoded, size_t size);

// Arguments of the statement in hand: number k truncated towards zero (0 when missing) or as a
// float, and word k (empty when missing).
int IntArg(const ParsedStatement& statement, int k);
float FloatArg(const ParsedStatement& statement, int k);
const char* WordArg(const ParsedStatement& statement, int k);
// Word k read as a name: a declared variable's name stands there as the words "var", the name
// and the rest, so the name is the word after the mark.
const char* NameArg(const ParsedStatement& statement, int k);

// The keyword index of a word, or -1.
int FindKeyword(const char* word);
