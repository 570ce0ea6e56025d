// Reading a script file and compiling it statement by statement into the stream.
#pragma once

// 1 when the end of the file was reached, 0 when it could not be opened or read or a statement
// overflowed the statement buffer (the statements before stay compiled).
int LoadScriptFile(const char* fileName);
