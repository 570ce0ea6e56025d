#pragma once
// Lines, words and numbers of the level and cube files.
#include <istream>
#include <string>

// The next line, cut to MaxFileLine characters and without a carriage return; false at the end.
bool ReadLine(std::istream& in, std::string& line);

// The next whitespace-separated word; empty at the end of the file.
std::string ReadWord(std::istream& in);

// Keywords match in any letter case.
bool SameKeyword(const std::string& word, const char* keyword);

// A word's leading number as the standard conversions read it (0 when there is none); integers
// beyond 32 bits saturate.
int WordToInt(const std::string& word);
double WordToNumber(const std::string& word);
