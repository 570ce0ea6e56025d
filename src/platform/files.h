// File access for names as scripts and data files write them: '\' separates folders, and each
// path component matches case-insensitively when no exact match exists.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// The path on disk that a game file name refers to; the name itself (with '/') if none matches.
std::string ResolvePath(const std::string& name);

// fopen through ResolvePath; null when the file cannot be opened. For reading, only a regular
// file opens: a FIFO, a device or a folder is refused at once, without waiting for a writer.
FILE* OpenFile(const std::string& name, const char* mode);

// A text file opened for reading by OpenFile, past a UTF-8 byte-order mark (EF BB BF) that an
// editor may have saved at its start: the text's first line then begins at its first character.
FILE* OpenTextFile(const std::string& name);

// The whole of a text file as OpenTextFile reads it; false when it cannot be opened or read.
bool ReadTextFile(const std::string& name, std::string& text);

// The name last given to OpenFile, the file a fault met while loading concerns.
const std::string& LastOpenedFile();

// Writes the bytes as the whole of the file `name`: into a new file beside it, which then takes
// its place, so that a failed write leaves the old file as it was and a symbolic link of that
// name is replaced, never followed. False when any step failed (the new file is then removed).
bool ReplaceFile(const std::string& name, const std::string& bytes);

// Names of the files in a folder whose names end in the given suffix (case-insensitive), in
// name order with letters compared without case, so that every machine lists a folder alike.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& suffix);

}  // namespace platform
