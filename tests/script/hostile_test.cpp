#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/script_fixture.h"

namespace {

using HostileScripts = ScriptTest;

// Pieces of script text, sound and broken, that random files are made of. Jumps, subroutines and
// loops are left out: a random script may legitimately never end with them.
const char* const ScriptPieces[] = {
    "state", "stepState", "int",        "x",         "y",    "if", "else", "endif",    "while",
    "exit",  "var",       "checkTimer", "SetCursor", "Play", "=",  "==",   "<",        ">=",
    "&&",    "||",        "+",          "*",         "/",    "%",  "(",    ")",        "((",
    "))",    "{",         "}",          ";",         ";",    ";",  ",",    ".",        ":",
    "[",     "]",         "~",          "?",         "'",    "'a", "\"",   "\"text\"", "12",
    "-",     "--5",       "7L",         "1.5.2",     "3e4",  ".5", "//",   "/*",       "*/",
    "#",     "\t",        "\r",         "\x01",      "\xfe", "@",  "\\",   "$",
};

std::string RandomScript(std::mt19937& rng) {
    std::uniform_int_distribution<size_t> piece(0, std::size(ScriptPieces) - 1);
    std::uniform_int_distribution<int> count(0, 12);
    std::string text = "int x;\nint y;\nstate Start;\n";
    for (int line = 0; line < 60; ++line) {
        int n = count(rng);
        for (int i = 0; i < n; ++i) {
            text += ScriptPieces[piece(rng)];
            if (rng() % 3) text += ' ';
        }
        if (rng() % 40 == 0) text += std::string(300, 'w');
        text += '\n';
    }
    return text;
}

}  // namespace

TEST_F(HostileScripts, RandomTextCompilesAndRunsSafely) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 150; ++round) {
        InitScriptEngine();
        std::string text = RandomScript(rng);
        SCOPED_TRACE(text);
        Compile(text);
        ASSERT_LE(StreamLength, ScriptStreamSize);
        RunScript(1);
        RaiseEvent();
        for (int id = 1; id < StateCount; ++id) {
            StopFlag = 0;
            ExecState(id);
            if (StateTable[id].isStepState) StepState(id);
        }
        EXPECT_EQ(RunDepth, 0);
        platform::ClearRecordedBoxes();
    }
}
