#include "anim/scene_lights.h"
#include "platform/faults.h"
#include "scene_fixture.h"

namespace {

class SceneLights : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        // The two lights the game makes at start-up.
        const float ambientAt[3] = {2, 2, 5}, ambientFacing[3] = {1, 0, 1},
                    grey[3] = {0.6f, 0.6f, 0.6f};
        const float sunAt[3] = {0, 0, 0}, sunFacing[3] = {0, 20, 0}, white[3] = {1, 1, 1};
        ASSERT_EQ(CreateLight(2, ambientAt, ambientFacing, grey), 0);
        ASSERT_EQ(CreateLight(1, sunAt, sunFacing, white), 1);
    }
    void TearDown() override {
        platform::ClearFaults();
        SceneTest::TearDown();
    }
    static platform::RmVector Facing(int light) {
        const platform::RmMatrix4 m = SceneLight[light].frame->WorldTransform();
        return {m.m[2][0], m.m[2][1], m.m[2][2]};
    }
};

TEST_F(SceneLights, DefaultLightsHangUnderTheSceneAndTheTableHoldsFifteen) {
    EXPECT_EQ(SceneLightCount, 2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(SceneLight[i].frame, nullptr);
        EXPECT_EQ(SceneLight[i].frame->GetParent(), SceneFrame);
        ASSERT_EQ(SceneLight[i].frame->Lights().size(), 1u);
    }
    EXPECT_EQ(SceneLight[0].light->GetType(), platform::D3DRMLIGHT_AMBIENT);
    EXPECT_EQ(SceneLight[1].light->GetType(), platform::D3DRMLIGHT_DIRECTIONAL);
    EXPECT_NEAR(Facing(1).y, 1.0f, 1e-6);  // the directional light shines along its direction
    platform::RmVector at;
    SceneLight[0].frame->GetPosition(SceneFrame, &at);
    EXPECT_FLOAT_EQ(at.z, 5.0f);

    const float zero[3] = {}, up[3] = {0, 1, 0};
    EXPECT_EQ(CreateLight(3, zero, up, zero), -1);
    platform::InjectFault("CreateLightRGB", platform::D3DRMERR_BADVALUE);
    EXPECT_EQ(CreateLight(1, zero, up, zero), -1);
    platform::InjectFault("CreateFrame", platform::D3DRMERR_BADVALUE);
    EXPECT_EQ(CreateLight(2, zero, up, zero), -1);
    while (SceneLightCount < UsableSceneLights) ASSERT_GE(CreateLight(2, zero, up, zero), 0);
    EXPECT_EQ(CreateLight(2, zero, up, zero), -1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Illegal Type of Light | Error",
                                                    "Failed to Create Directional Light | Error",
                                                    "Failed to Create Light Frame | Error",
                                                    "Exceed Maximum Number of Lights | Error"}));
    // A light that failed keeps its place but cannot be moved or ramped.
    EXPECT_EQ(MoveLight(2, up, up), 1);
    EXPECT_EQ(AnimLight(3, 4, zero), 0);
}

TEST_F(SceneLights, ScriptTurnsALightAndRampsItsColourFrameByFrame) {
    ASSERT_EQ(Run("state Start;\n"
                  "MoveLight 1 0 1 0 1 0 0;\n"
                  "AnimLight 1 4 0 0 0;\n"
                  "exit;\n"),
              1);
    EXPECT_NEAR(Facing(1).x, 1.0f, 1e-6);
    ASSERT_EQ(AnimObjCount, 1);
    const float expected[4] = {0.75f, 0.5f, 0.25f, 0.0f};
    for (float c : expected) {
        EXPECT_EQ(AnimObj[0].type, AnimLightRamp);
        Frames(1);
        EXPECT_FLOAT_EQ(SceneLight[1].colour[0], c);
        EXPECT_FLOAT_EQ(SceneLight[1].light->Color().blue, c);
    }
    EXPECT_EQ(AnimObj[0].type, AnimFree);

    // The next ramp takes the freed entry; a ramp started on a running one replaces it, going on
    // from the colour reached; 0 frames sets the colour at once.
    const float half[3] = {0.5f, 0.5f, 0.5f}, red[3] = {1, 0, 0};
    ASSERT_EQ(AnimLight(1, 2, half), 1);
    EXPECT_EQ(AnimObjCount, 1);
    Frames(1);
    EXPECT_FLOAT_EQ(SceneLight[1].colour[1], 0.25f);
    ASSERT_EQ(AnimLight(1, 3, red), 1);
    EXPECT_EQ(AnimObjCount, 1);
    Frames(3);
    EXPECT_FLOAT_EQ(SceneLight[1].colour[0], 1.0f);
    EXPECT_NEAR(SceneLight[1].colour[1], 0.0f, 1e-6);
    EXPECT_EQ(AnimObj[0].type, AnimFree);
    Frames(2);
    EXPECT_FLOAT_EQ(SceneLight[1].colour[0], 1.0f);
    ASSERT_EQ(AnimLight(0, 0, half), 1);
    EXPECT_FLOAT_EQ(SceneLight[0].light->Color().green, 0.5f);
    EXPECT_EQ(AnimLight(9, 0, half), 0);
    EXPECT_EQ(MoveLight(-1, half, half), 1);
}

TEST_F(SceneLights, ANewSceneStartsTheTableAgain) {
    SceneFrame->Release();
    CameraFrame->Release();
    WorldFrame->Release();
    SceneFrame = platform::RmFrame::Create(nullptr);
    CameraFrame = platform::RmFrame::Create(SceneFrame);
    WorldFrame = platform::RmFrame::Create(SceneFrame);
    const float zero[3] = {}, up[3] = {0, 1, 0};
    EXPECT_EQ(CreateLight(2, zero, up, zero), 0);
    EXPECT_EQ(SceneLightCount, 1);
    EXPECT_EQ(SceneLight[0].frame->GetParent(), SceneFrame);
}

}  // namespace
