// The tests' cube-world level loaded in a scratch folder with a scene, camera and world frame,
// the script engine fresh in run mode and every scene-animation table empty; scripts and motion
// files are written into the folder. Boxes are recorded quietly.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/reset.h"
#include "base/build_variant.h"
#include "base/report_error.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/rm.h"
#include "script/events.h"
#include "script/parser.h"
#include "script/runner.h"
#include "script/variables.h"
#include "shell/direct_x.h"
#include "support/recorded_boxes.h"
#include "support/script_vars.h"
#include "support/test_level.h"
#include "world/camera_height.h"
#include "world/camera_position.h"
#include "world/char3d_object.h"
#include "world/level_reader.h"
#include "world/player.h"

// A one-part character, a small square, whose own motion lasts 8 frames.
inline const char* const Walker =
    "object walker {\n"
    "  matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1;\n"
    "  vertices 0 0 0  1 0 0  1 1 0  0 1 0;\n"
    "  normals 0 0 -1;\n"
    "  faces 4 0 0 1 0 2 0 3 0;\n"
    "}\n"
    "animation_set stand {\n"
    "  animation walker {\n"
    "    object_name 0 1 0 0 0  8 1 0 0 0;\n"
    "  }\n"
    "}\n";

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        level_ = std::make_unique<testworld::TestLevelFolder>();
        ASSERT_EQ(platform::RetainedMode::Create(&RMObject), platform::D3DRM_OK);
        SceneFrame = platform::RmFrame::Create(nullptr);
        CameraFrame = platform::RmFrame::Create(SceneFrame);
        WorldFrame = platform::RmFrame::Create(SceneFrame);
        InitScriptEngine();
        RunMode = RunModeRun;
        ResetSceneAnimation();
        ResetMaterials();
        ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
        SetCameraPosition(50.0f, 40.0f, 30.0f, 0.0f, 0);
        Write("walker.x", Walker);
    }
    void TearDown() override {
        ResetSceneAnimation();
        ResetMaterials();
        level_.reset();
        WorldFrame->Release();
        CameraFrame->Release();
        SceneFrame->Release();
        WorldFrame = CameraFrame = SceneFrame = nullptr;
        RMObject->Release();
        RMObject = nullptr;
        ResetCameraHeight();
        InitScriptEngine();
        SecondBuild = false;
        ResetErrorState();
        platform::SetBoxEcho(true);
    }

    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    // Loads and runs a script the way the game does.
    static int Run(const std::string& script) {
        Write("t.scp", script);
        return LoadScript("t.scp");
    }
    static int Var(const char* name) { return support::VarValue(name); }
    static std::vector<std::string> BoxTexts() { return support::BoxLines(); }
    // Runs the animation objects for n frames.
    static void Frames(int n) {
        for (int i = 0; i < n; ++i) UpdateAnimObjects();
    }
    // Where a character stands, in world units.
    static platform::RmVector At(int entry) {
        platform::RmVector p;
        AnimObj[entry].character->frame->GetPosition(SceneFrame, &p);
        return p;
    }
    static platform::RmVector Eye() {
        platform::RmVector p;
        CameraFrame->GetPosition(SceneFrame, &p);
        return p;
    }

    std::unique_ptr<testworld::TestLevelFolder> level_;
};
