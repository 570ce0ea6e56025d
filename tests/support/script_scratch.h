// A scratch folder that is the working directory while it lives, a fresh script engine, and
// scripts written into the folder and loaded the way the game loads them.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/backend.h"
#include "platform/message_box.h"
#include "script/events.h"
#include "script/limits.h"
#include "script/variables.h"
#include "script/wait.h"
#include "support/scratch_folder.h"
#include "support/script_vars.h"

namespace shelltest {

class ScratchScripts {
public:
    ScratchScripts() : folder_("dusk_shell") {
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        for (ScriptTimer& t : ScriptTimers) {
            t = {0, 0};
        }
        InitScriptEngine();
    }

    void Write(const std::string& name, const std::string& text) const {
        folder_.Write(name, text);
    }
    int Load(const std::string& text) const {
        Write("t.scp", text);
        return LoadScript("t.scp");
    }
    std::filesystem::path Folder() const { return folder_.Path(); }

    static int Var(const char* name) {
        EXPECT_LT(FindVariable(name), MaxVariables) << name;
        return support::VarValue(name);
    }

private:
    support::ScratchFolder folder_;
};

}  // namespace shelltest
