// A clean scene-animation state for each test: empty motion table, links, parts, key buffer,
// animation objects, paths and materials; a scene and world frame; the script engine fresh in
// run mode; message boxes recorded quietly; files written to a scratch folder that is the
// working directory while the test runs.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "anim/reset.h"
#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/rm.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/parser.h"
#include "script/variables.h"
#include "support/anim_scene.h"
#include "support/recorded_boxes.h"
#include "support/scratch_folder.h"
#include "support/script_vars.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/reset.h"

class AnimTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_.emplace("dusk_anim");
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        InitScriptEngine();
        RunMode = RunModeRun;
        testscene::MakeEmptyAnimScene();
    }
    void TearDown() override {
        ResetSceneAnimation();
        ResetMaterials();
        ResetWorld();
        ResetErrorState();
        WorldFrame->Release();
        WorldFrame = nullptr;
        SceneFrame->Release();
        SceneFrame = nullptr;
        scratch_.reset();
        platform::SetBoxEcho(true);
    }

    void Write(const std::string& name, const std::string& text) { scratch_->Write(name, text); }

    static std::vector<std::string> BoxTexts() { return support::BoxLines(); }
    static int Var(const char* name) { return support::VarValue(name); }

    // A part with a frame of its own under the world frame, handed out as the parts table does.
    static int MakePart() {
        const int p = NextPart++;
        Part[p].frame = platform::RmFrame::Create(WorldFrame);
        return p;
    }

    std::optional<support::ScratchFolder> scratch_;
};

// A quaternion's components, for comparisons.
struct Quat {
    float s, x, y, z;
};
