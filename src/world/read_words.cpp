#include "world/read_words.h"

#include <strings.h>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "world/limits.h"

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > MaxFileLine) {
        line.resize(MaxFileLine);
    }
    return true;
}

std::string ReadWord(std::istream& in) {
    std::string word;
    if (!(in >> word)) {
        word.clear();
    }
    return word;
}

bool SameKeyword(const std::string& word, const char* keyword) {
    return strcasecmp(word.c_str(), keyword) == 0;
}

int WordToInt(const std::string& word) {
    const long value = std::strtol(word.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

double WordToNumber(const std::string& word) { return std::strtod(word.c_str(), nullptr); }
