// File access for names as scripts and data files write them: '\' separates folders, and each
// path component matches case-insensitively when no exact match exists.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// The path on disk that a game file name refers to; the name itself (with '/') if none matches.
std::string ResolvePath(const std::string& name);

// fopen through ResolvePath; null when the file cannot be opened.
FILE* OpenFile(const std::string& name, const char* mode);

// The name last given to OpenFile, the file a fault met while loading concerns.
const std::string& LastOpenedFile();

// The whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::string& name, std::vector<unsigned char>& out);

// Names of the files in a folder whose names end in the given suffix (case-insensitive), in
// name order with letters compared without case, so that every machine lists a folder alike.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& suffix);

}  // namespace platform
