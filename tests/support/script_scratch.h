// A scratch folder that is the working directory while it lives, a fresh script engine, and
// scripts written into the folder and loaded the way the game loads them.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/backend.h"
#include "platform/message_box.h"
#include "script/events.h"
#include "script/limits.h"
#include "script/variables.h"
#include "script/wait.h"

namespace shelltest {

class ScratchScripts {
public:
    ScratchScripts()
    {
        home_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("dusk_shell_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        for (ScriptTimer& t : ScriptTimers) {
            t = {0, 0};
        }
        InitScriptEngine();
    }
    ~ScratchScripts()
    {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
    }
    ScratchScripts(const ScratchScripts&) = delete;
    ScratchScripts& operator=(const ScratchScripts&) = delete;

    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    int Load(const std::string& text) const
    {
        Write("t.scp", text);
        return LoadScript("t.scp");
    }
    std::filesystem::path Folder() const { return dir_; }

    static int Var(const char* name)
    {
        const int i = FindVariable(name);
        EXPECT_LT(i, kMaxVariables) << name;
        return i < kMaxVariables ? VariableTable[i].value : -12345;
    }

private:
    std::filesystem::path home_;
    std::filesystem::path dir_;
};

}  // namespace shelltest
