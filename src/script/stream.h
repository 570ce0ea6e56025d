// The compiled script: statements appended as records to one 64000-byte stream.
//
// A record is the statement's encoded bytes up to its '\' end mark, padded with zeros to a whole
// number of 64-byte blocks. Its first byte, '@' (64) for a one-block record, gives its length:
// (first byte - 63) blocks, so an ordinary statement is one 64-byte record and a longer one
// spans more blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/limits.h"

extern uint8_t ScriptStream[ScriptStreamSize];
extern int StreamLength;      // bytes in use
extern int StatementStart;    // offset of the last statement appended
extern int StatementsStored;  // records in the stream
extern int RunPosition;       // offset of the next record a run takes

// The script file the stream was compiled from, as the game names it, and the line of that file
// on which the statement being compiled begins (kept with each record appended).
extern std::string StreamFile;
extern int CompileLine;

int AllocScriptStream();

// Appends a statement (with the open state's bookkeeping); refused ones show why.
void AppendStatement(const uint8_t* encoded, size_t size);

// Bytes of an encoded statement up to and including its '\' end mark; 0 when it has none.
size_t MeasureStatement(const uint8_t* encoded, size_t size);

// The length in bytes of the record at `offset`; 0 when no whole record stands there.
int RecordLength(int offset);

// The line of the script file on which the record at `offset` begins; 0 when unknown.
int RecordLine(int offset);
