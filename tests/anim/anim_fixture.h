// A clean scene-animation state for each test: empty motion table, links, parts, key buffer,
// animation objects, paths and materials; a scene and world frame; the script engine fresh in
// run mode; message boxes recorded quietly; files written to a scratch folder that is the
// working directory while the test runs.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/anim_scene.h"
#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/rm.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/parser.h"
#include "script/variables.h"
#include "shell/graphics_objects.h"
#include "shell/report_error.h"
#include "world/cube.h"
#include "support/world_builder.h"

class AnimTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("dusk_anim_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        home_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        InitScriptEngine();
        RunMode = RunModeRun;
        testscene::MakeEmptyAnimScene();
    }
    void TearDown() override {
        TruncateMotionTable(0);
        ResetAnimObjects(0);
        ResetMaterials();
        FreeLevel();
        QuitRequested = false;
        RenderingStopped = 0;
        WorldFrame->Release();
        WorldFrame = nullptr;
        SceneFrame->Release();
        SceneFrame = nullptr;
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
        platform::SetBoxEcho(true);
    }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> out;
        for (const auto& b : platform::RecordedBoxes()) out.push_back(b.text + " | " + b.caption);
        return out;
    }
    static int Var(const char* name) {
        const int i = FindVariable(name);
        return i < kMaxVariables ? VariableTable[i].value : -12345;
    }

    // A part with a frame of its own under the world frame, handed out as the parts table does.
    static int MakePart() {
        const int p = NextPart++;
        Part[p].frame = platform::RmFrame::Create(WorldFrame);
        return p;
    }

    std::filesystem::path dir_;
    std::filesystem::path home_;
};

// A quaternion's components, for comparisons.
struct Quat {
    float s, x, y, z;
};
