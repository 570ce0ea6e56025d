// A fresh script engine for each test, scripts written to a scratch folder, boxes recorded quietly.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/message_box.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/parser.h"
#include "script/runner.h"
#include "script/states.h"
#include "script/stream.h"
#include "script/variables.h"
#include "script/wait.h"

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("dusk_script_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        home_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);  // scripts name their files relative to the game's folder
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        for (ScriptTimer& t : ScriptTimers) t = {0, 0};
        InitScriptEngine();
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
        platform::SetBoxEcho(true);
    }

    // Writes a script file (bytes as given) and returns its path.
    std::string Write(const std::string& name, const std::string& text) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Compiles a script into the fresh engine without running it.
    int Compile(const std::string& text) { return LoadScriptFile(Write("t.scp", text).c_str()); }
    // Loads a script the way the game does: compiled, then run from its beginning.
    int Load(const std::string& text) { return LoadScript(Write("t.scp", text).c_str()); }

    static int Var(const char* name) {
        int i = FindVariable(name);
        EXPECT_LT(i, kMaxVariables) << name;
        return i < kMaxVariables ? VariableTable[i].value : -12345;
    }
    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> out;
        for (const auto& b : platform::RecordedBoxes()) out.push_back(b.text + " | " + b.caption);
        return out;
    }
    std::filesystem::path dir_;
    std::filesystem::path home_;
};
