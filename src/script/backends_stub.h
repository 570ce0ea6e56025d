// Stand-in back-ends: they record each keyword and command that reaches them, so that the engine
// can be driven before the game's own back-ends exist.
#pragma once
#include <string>
#include <vector>

struct BackendCall {
    int keyword;                      // the keyword's index; -1 for a command
    std::vector<std::string> words;   // words 0..; group words as raw bytes
    std::vector<float> numbers;
};

std::vector<BackendCall>& RecordedBackendCalls();
// The value that the stand-ins of value-returning keywords leave in ReturnValue.
void SetStubReturnValue(int value);
