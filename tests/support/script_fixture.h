// A fresh script engine for each test, scripts written to a scratch folder, boxes recorded quietly.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
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
#include "support/recorded_boxes.h"
#include "support/scratch_folder.h"
#include "support/script_vars.h"

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_.emplace("dusk_script");  // scripts name their files relative to the game's folder
        dir_ = scratch_->Path();
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        for (ScriptTimer& t : ScriptTimers) t = {0, 0};
        InitScriptEngine();
    }
    void TearDown() override {
        scratch_.reset();
        platform::SetBoxEcho(true);
    }

    // Writes a script file (bytes as given) and returns its path.
    std::string Write(const std::string& name, const std::string& text) {
        return scratch_->Write(name, text);
    }
    // Compiles a script into the fresh engine without running it.
    int Compile(const std::string& text) {
        Write("t.scp", text);
        return LoadScriptFile("t.scp");
    }
    // Loads a script the way the game does: compiled, then run from its beginning.
    int Load(const std::string& text) {
        Write("t.scp", text);
        return LoadScript("t.scp");
    }

    static int Var(const char* name) {
        EXPECT_LT(FindVariable(name), MaxVariables) << name;
        return support::VarValue(name);
    }
    static std::vector<std::string> BoxTexts() { return support::BoxLines(); }
    std::optional<support::ScratchFolder> scratch_;
    std::filesystem::path dir_;
};
