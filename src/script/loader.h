// Reading script files: lines, gathered into statements, compiled into the stream.
#pragma once
#include <cstdio>

#include "script/limits.h"

// 1 when the end of the file was reached, 0 when it could not be opened or read or a statement
// overflowed the statement buffer (the statements before stay compiled).
int LoadScriptFile(const char* fileName);

// Results of ReadScriptLine.
constexpr int LineRead = 1;  // a line, carriage returns dropped; the last may lack its line feed
constexpr int LineEnd = 0;   // the end of the file or a NUL byte, with no line before it
constexpr int LineTooLong = -1;  // a line longer than the buffer holds, read past and refused

// Reads the next line of a script or motion file into `line`, closed by a NUL.
int ReadScriptLine(std::FILE* f, char (&line)[MotionLineSize]);
