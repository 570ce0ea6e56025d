// Commands and keywords that bring in and turn 3D characters and send the camera along paths.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "anim/reset.h"
#include "anim/scene_lights.h"
#include "anim/special_anims.h"
#include "base/build_variant.h"
#include "base/graphics_objects.h"
#include "bindings/camera_commands.h"
#include "bindings/keywords_actions.h"
#include "platform/rm.h"
#include "platform/rm_frame.h"
#include "platform/rm_math.h"
#include "script/events.h"
#include "shell/direct_x.h"
#include "support/anim_scene.h"
#include "support/script_fixture.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/reset.h"

using ::testing::ElementsAre;

namespace {

const char* const BoxFile =
    "object body {\n"
    "  matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1;\n"
    "}\n";
const char* const Track =
    "object track;\n"
    "object_name 0 1 0 0 0  20 0 0 1 0;\n"
    "position_keys 0 0 0 0  10 5 0 0  20 5 0 5;\n";

class AnimCommands : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        RunMode = RunModeRun;
        testscene::MakeEmptyAnimScene();
        CameraFrame = platform::RmFrame::Create(SceneFrame);
        SetHotSpotCount(0);
        Write("box.x", BoxFile);
        Write("track.x", Track);
    }
    void TearDown() override {
        ResetSceneAnimation();
        ResetMaterials();
        ResetWorld();
        InitScriptEngine();
        for (platform::RmFrame** f : {&CameraFrame, &WorldFrame, &SceneFrame}) {
            (*f)->Release();
            *f = nullptr;
        }
        ScriptTest::TearDown();
    }
    static platform::RmVector RowAt(int row) {
        platform::RmVector v{};
        PartFrame(MotionLink[MotionTable[row].firstLink].part)->GetPosition(SceneFrame, &v);
        return v;
    }
    static float Yaw(int row) {  // the turn about the vertical axis of a row's extra orientation
        const float* q = MotionTable[row].extraOrientation;
        EXPECT_FLOAT_EQ(q[1], 0.0f);
        EXPECT_FLOAT_EQ(q[3], 0.0f);
        return 2.0f * std::atan2(q[2], q[0]);
    }
};

TEST_F(AnimCommands, LoadAnimObjPlacesScalesAndLiftsTheCharacter) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadAnimObj \"box.x\" 10 1 20 2 3;\n"
                   "LoadAnimObj(\"box.x\");\n"  // no numbers: none of the ones before
                   "exit;\n"),
              1);
    ASSERT_EQ(MotionCount, 2);
    ASSERT_EQ(AnimObjCount, 2);
    platform::RmVector first = RowAt(0), second = RowAt(1);
    EXPECT_FLOAT_EQ(first.x, 10.0f);
    EXPECT_FLOAT_EQ(first.y, 4.0f);  // the height is added to y
    EXPECT_FLOAT_EQ(first.z, 20.0f);
    EXPECT_FLOAT_EQ(AnimObj[0].heightOffset, 3.0f);
    EXPECT_FLOAT_EQ(second.x, 0.0f);
    EXPECT_FLOAT_EQ(second.y, 0.0f);
    EXPECT_FLOAT_EQ(AnimObj[1].heightOffset, 0.0f);
    EXPECT_EQ(MotionTable[1].animObj, 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(AnimCommands, TheThirtyThirdMotionRowIsRefused) {
    std::string script = "state Start;\n";
    for (int i = 0; i < 33; ++i) script += "LoadAnimObj \"box.x\" 0 0 0 1 0;\n";
    ASSERT_EQ(Load(script + "exit;\n"), 1);
    EXPECT_EQ(MotionCount, 32);
    EXPECT_EQ(AnimObjCount, 32);
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed Maximum Motion Table | Error"));
}

TEST_F(AnimCommands, TurnToObjFacesTheCharacterFromItsTarget) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadAnimObj \"box.x\" 0 0 0 1 0;\n"
                   "LoadAnimObj \"box.x\" 10 0 10 1 0;\n"
                   "TurnToObj 6 0 6 1;\n"
                   "exit;\n"
                   "state Hostile;\n"
                   "TurnToObj 5 0 6 1;\n"   // only kind 6
                   "TurnToObj 6 40 6 1;\n"  // no such entry
                   "TurnToObj 6 -1 6 1;\n"
                   "TurnToObj 6 0 6 9;\n"  // no such row
                   "TurnToObj 6 0 9 1;\n"  // no such kind of target
                   "TurnToObj 6 0;\n"      // missing numbers: target kind 0
                   "exit;\n"),
              1);
    // Own position minus the target's is (-10, 0, -10): yaw = atan2(10, -10).
    EXPECT_NEAR(Yaw(0), std::atan2(10.0f, -10.0f), 1e-5);
    EXPECT_FLOAT_EQ(MotionTable[1].extraOrientation[0], 1.0f);  // the target stays as it is

    const float before[4] = {MotionTable[0].extraOrientation[0], MotionTable[0].extraOrientation[1],
                             MotionTable[0].extraOrientation[2],
                             MotionTable[0].extraOrientation[3]};
    StopFlag = 0;
    ExecState(FindState("Hostile"));
    EXPECT_THAT(MotionTable[0].extraOrientation,
                ElementsAre(before[0], before[1], before[2], before[3]));
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    // Towards the camera, straight ahead along +z: the character turns half round.
    CameraFrame->SetPosition(SceneFrame, 0.0f, 0.0f, 30.0f);
    EXPECT_EQ(TurnToObj(6, 0, 7, 0), 1);
    EXPECT_NEAR(std::fabs(Yaw(0)), static_cast<float>(M_PI), 1e-5);
}

TEST_F(AnimCommands, SetCameraPathFollowsALoadedPathOnly) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadPath \"track.x\";\n"
                   "SetCameraPath 1 1 0 0;\n"  // path 1 is not loaded
                   "SetCameraPath 1 -1 0 0;\n"
                   "SetCameraPath 1 0 0 0;\n"
                   "MoveCamera 1 0;\n"
                   "exit;\n"),
              1);
    ASSERT_EQ(PathCount, 1);
    ASSERT_EQ(AnimObjCount, 2);
    for (int e = 0; e < 2; ++e) {
        EXPECT_EQ(AnimObj[e].type, AnimCameraPath);
        EXPECT_EQ(AnimObj[e].arg, 0);
        EXPECT_EQ(AnimObj[e].row, -1);
        EXPECT_EQ(AnimObj[e].frameCount, 20);
    }
}

TEST_F(AnimCommands, CheckUpdateStateTellsEvenFromOddRowsOnce) {
    ASSERT_EQ(Load("int u;\n"
                   "state Start;\n"
                   "LoadAnimObj \"box.x\" 0 0 0 1 0;\n"
                   "LoadAnimObj \"box.x\" 20 0 0 1 0;\n"
                   "LHS 1 2 0 0 30;\n"
                   "exit;\n"
                   "state Check;\n"
                   "u = checkUpdateState;\n"
                   "exit;\n"
                   "state Move0;\n"
                   "MHS 1 0 0 5;\n"  // no robot number: 0
                   "exit;\n"
                   "state Move1;\n"
                   "MHS 1 1 0 5.5 0;\n"
                   "exit;\n"),
              1);
    auto moveAndCheck = [&](int row) {
        StopFlag = 0;
        ExecState(FindState(row == 0 ? "Move0" : "Move1"));
        EXPECT_EQ(AnimObj[row].type, AnimStraightMove);
        for (int i = 0; i < 100 && !UpdateStateFlag; ++i) UpdateAnimObjects();
        EXPECT_EQ(UpdateStateFlag, 1);
        StopFlag = 0;
        ExecState(FindState("Check"));
        return Var("u");
    };
    EXPECT_EQ(moveAndCheck(1), 2);
    EXPECT_EQ(UpdateStateFlag, 0);
    StopFlag = 0;
    ExecState(FindState("Check"));
    EXPECT_EQ(Var("u"), 0);  // no move has ended since
    EXPECT_EQ(moveAndCheck(0), 1);
}

TEST_F(AnimCommands, RotateObjTurnsTheCharacterOfAnAnimationObject) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadPath \"track.x\";\n"
                   "SetCameraPath 1 0 0 0;\n"  // entry 0: the camera's, no motion row
                   "LoadAnimObj \"box.x\" 0 0 0 1 0;\n"
                   "RotateObj 1 7 90 3;\n"  // the second and fourth numbers are not used
                   "RotateObj 0 0 45 0;\n"
                   "RotateObj 5 0 45 0;\n"
                   "RotateObj -3 0 45 0;\n"
                   "exit;\n"),
              1);
    ASSERT_EQ(AnimObj[1].row, 0);
    EXPECT_NEAR(Yaw(0), 90.0f * 0.01745f, 1e-5);
    EXPECT_EQ(RotateAnimObj(5, 1, 0, 45.0f, 0), 0);  // only kind 6
    EXPECT_EQ(RotateAnimObj(6, 0, 0, 45.0f, 0), 0);  // the camera's entry has no row
    EXPECT_NEAR(Yaw(0), 90.0f * 0.01745f, 1e-5);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(AnimCommands, TurnToObjFacesAwayFromAHotSpot) {
    WorldScale = 2.0f;
    ASSERT_EQ(Load("state Start;\n"
                   "LoadAnimObj \"box.x\" 0 0 0 1 0;\n"
                   "LHS 1 2 15 0 0;\n"
                   "TurnToObj 6 0 11 0;\n"
                   "exit;\n"),
              1);
    WorldScale = 1.0f;
    // Own position minus the hot spot's (30, 0, 0): yaw = atan2(30, 0), a quarter turn.
    EXPECT_NEAR(Yaw(0), static_cast<float>(M_PI / 2), 1e-5);
    EXPECT_EQ(TurnToObj(6, 0, 11, 1), 0);  // no hot spot 1
    EXPECT_EQ(TurnToObj(6, 0, 11, -1), 0);
}

TEST_F(AnimCommands, SceneCommandsTakeTheirOwnNumbersOnly) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadAnimObj \"box.x\" 0 0 0 1 0;\n"
                   "SetAnim 0 0 3;\n"
                   "LHS 4 5 10 2 10 0 7 0 0 0;\n"
                   "LHS 2 3;\n"  // the places after its two numbers read 0
                   "SpecialAnim 1 3 4 5 20 99;\n"
                   "SetSoundFrame 10 20;\n"
                   "SetSoundHandle 3;\n"
                   "exit;\n"
                   "state Again;\n"
                   "SetAnim 0 0;\n"  // no loop count: 0, repeating for ever
                   "exit;\n"),
              1);
    EXPECT_EQ(MotionTable[0].loopMode, 3);
    EXPECT_EQ(MotionTable[0].loopTarget, 3);
    ASSERT_EQ(HotSpotCount, 2);
    EXPECT_EQ(HotSpots[0].type, 4);
    EXPECT_FLOAT_EQ(HotSpots[0].radius, 5.0f);
    EXPECT_THAT(HotSpots[0].position, ElementsAre(10.0f, 2.0f, 10.0f));
    EXPECT_FLOAT_EQ(HotSpots[0].platformHeight, 7.0f);
    EXPECT_EQ(HotSpots[1].type, 2);
    EXPECT_THAT(HotSpots[1].position, ElementsAre(0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(HotSpots[1].platformHeight, 0.0f);
    ASSERT_EQ(AnimObjCount, 3);
    const AnimObject& doors = AnimObj[1];
    EXPECT_EQ(doors.type, AnimSpecial);
    EXPECT_EQ(doors.followUp, 1);
    EXPECT_EQ(doors.row, 4);
    EXPECT_EQ(doors.arg, 5);
    EXPECT_EQ(doors.frameCount, 20);
    EXPECT_EQ(AnimObj[2].frameCount, 20);
    for (int i = 0; i < SoundFrameCount; ++i) {
        EXPECT_EQ(SoundFrameTable[i].frame, i == 0 ? 10 : i == 1 ? 20 : -1) << i;
        EXPECT_EQ(SoundFrameTable[i].slot, i == 0 ? 3 : -1) << i;
    }
    StopFlag = 0;
    ExecState(FindState("Again"));
    EXPECT_EQ(MotionTable[0].loopMode, 0);
}

TEST_F(AnimCommands, PathMotionsByCommandInBothBuilds) {
    const bool savedBuild = SecondBuild;
    ASSERT_EQ(Load("state Start;\n"
                   "LoadPath \"track.x\";\n"
                   "LoadAnimObj \"box.x\" 5 0 5 1 0;\n"
                   "LoadAnimObj \"box.x\" 9 0 9 1 0;\n"
                   "AddPathMotion 0 1;\n"
                   "AddPathMotion 0 0;\n"
                   "AddPathMotion 3 0;\n"  // no path 3
                   "PlayPathAnim 0;\n"
                   "PlayPathAnim 4;\n"
                   "exit;\n"
                   "state Remove;\n"
                   "DelPathMotion 1 0;\n"
                   "exit;\n"),
              1);
    const PathRecord& path = Path[0];
    ASSERT_EQ(path.motionCount, 2);
    EXPECT_EQ(path.motions[0], 1);
    EXPECT_EQ(path.motions[1], 0);
    // The first motion's character is carried: its own entry becomes the path motion.
    EXPECT_EQ(AnimObj[1].type, AnimPathMotion);
    EXPECT_EQ(AnimObj[1].arg, 0);
    EXPECT_EQ(AnimObj[1].frameCount, 20);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);

    SecondBuild = true;  // command 10 stops sounds instead
    StopFlag = 0;
    ExecState(FindState("Remove"));
    EXPECT_EQ(Path[0].motionCount, 2);
    SecondBuild = false;
    StopFlag = 0;
    ExecState(FindState("Remove"));
    EXPECT_EQ(Path[0].motionCount, 1);
    EXPECT_EQ(Path[0].motions[0], 0);
    SecondBuild = savedBuild;
}

TEST_F(AnimCommands, LightsTakeTheirColourAndDirectionsFromTheNumbers) {
    ASSERT_EQ(platform::RetainedMode::Create(&RMObject), platform::D3DRM_OK);
    const float position[3] = {0, 1, 0}, direction[3] = {0, 0, 1}, colour[3] = {0.2f, 0.4f, 0.6f};
    const int light = CreateLight(1, position, direction, colour);
    ASSERT_GE(light, 0);
    const std::string n = std::to_string(light);
    ASSERT_EQ(Load("state Start;\n"
                   "AnimLight " +
                   n +
                   " 10 1 0.4;\n"  // no blue: 0
                   "MoveLight " +
                   n +
                   " 0 1 0 1 0 0;\n"
                   "exit;\n"),
              1);
    const SceneLightRecord& record = SceneLight[light];
    EXPECT_FLOAT_EQ(record.colourStep[0], (1.0f - 0.2f) / 10);
    EXPECT_FLOAT_EQ(record.colourStep[1], 0.0f);
    EXPECT_FLOAT_EQ(record.colourStep[2], (0.0f - 0.6f) / 10);
    ASSERT_GE(record.animObj, 0);
    EXPECT_EQ(AnimObj[record.animObj].type, AnimLightRamp);
    EXPECT_EQ(AnimObj[record.animObj].frameCount, 10);
    platform::RmMatrix4 m;
    record.frame->GetTransform(m);
    const platform::RmVector facing = platform::RmTransformDirection({0, 0, 1}, m);
    EXPECT_NEAR(facing.x, 1.0f, 1e-5);
    EXPECT_NEAR(facing.z, 0.0f, 1e-5);
    RMObject->Release();
    RMObject = nullptr;
}

}  // namespace
