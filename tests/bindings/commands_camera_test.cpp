// The camera commands run from scripts: placing, saving and restoring the eye, and a position
// outside the map.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "bindings/camera_commands.h"
#include "platform/rm.h"
#include "platform/rm_frame.h"
#include "support/script_fixture.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/free_level.h"
#include "world/player.h"
#include "world/room.h"

using ::testing::ElementsAre;

namespace {

class CameraCommands : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        Room* room = testworld::AddRoom();
        testworld::AddBox(room, -50, -50, 100, 100);
        testworld::AddBox(room, 100, -50, 200, 100);
        testworld::CloseRoom(room);
        PlayerX = testworld::Fx(10);
        PlayerY = testworld::Fx(5);
        PlayerZ = testworld::Fx(20);
        PlayerHeading = 16384;  // a quarter turn: 90 degrees
        HorizonOffset = 3;
        CurrentCube = Cubes[0];
        CameraSavedFlag = 0;
        WorldScale = 1.0f;
        scene_ = platform::RmFrame::Create(nullptr);
        camera_ = platform::RmFrame::Create(scene_);
        SceneFrame = scene_;
        CameraFrame = camera_;
        ResetErrorState();
    }
    void TearDown() override {
        SceneFrame = CameraFrame = nullptr;
        camera_->Release();
        scene_->Release();
        FreeLevel();
        CurrentCube = nullptr;
        WorldScale = 1.0f;
        ResetErrorState();
        ScriptTest::TearDown();
    }
    static platform::RmVector CameraAt() {
        platform::RmVector v{};
        CameraFrame->GetPosition(SceneFrame, &v);
        return v;
    }

    platform::RmFrame* scene_ = nullptr;
    platform::RmFrame* camera_ = nullptr;
};

TEST_F(CameraCommands, SetCameraSavesOnceAndRestoresOnce) {
    ASSERT_EQ(Load("state Start;\n"
                   "SetCamera 2 150 7 50 180 -4.9;\n"
                   "SetCamera 2 50 1 60 0 2;\n"
                   "exit;\n"
                   "state Back;\n"
                   "SetCamera 1;\n"
                   "exit;\n"),
              1);
    // The second mode 2 moves the eye again but keeps the camera of before the first.
    EXPECT_EQ(PlayerX, testworld::Fx(50));
    EXPECT_EQ(PlayerY, testworld::Fx(1));
    EXPECT_EQ(PlayerZ, testworld::Fx(60));
    EXPECT_EQ(PlayerHeading, 0);
    EXPECT_EQ(HorizonOffset, 2);
    EXPECT_EQ(CurrentCube, Cubes[0]);
    EXPECT_EQ(CameraSavedFlag, 1);
    platform::RmVector at = CameraAt();
    EXPECT_FLOAT_EQ(at.x, 50.0f);
    EXPECT_FLOAT_EQ(at.z, 60.0f);

    StopFlag = 0;
    ExecState(FindState("Back"));
    EXPECT_EQ(PlayerX, testworld::Fx(10));
    EXPECT_EQ(PlayerY, testworld::Fx(5));
    EXPECT_EQ(PlayerZ, testworld::Fx(20));
    EXPECT_EQ(PlayerHeading, 16384);
    EXPECT_EQ(HorizonOffset, 3);
    EXPECT_EQ(CameraSavedFlag, 0);

    // A second restore does nothing.
    PlayerX = testworld::Fx(120);
    StopFlag = 0;
    ExecState(FindState("Back"));
    EXPECT_EQ(PlayerX, testworld::Fx(120));
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_FALSE(QuitRequested);
}

TEST_F(CameraCommands, HeadingOutsideATurnIsKeptAndTheHorizonTruncates) {
    ASSERT_EQ(Load("state Start;\n"
                   "SetCamera 2 150 7 50 400 -4.9;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(PlayerHeading, 16384);
    EXPECT_EQ(PlayerX, testworld::Fx(150));
    EXPECT_EQ(CurrentCube, Cubes[1]);
    EXPECT_EQ(HorizonOffset, -4);
    // 360 degrees is a whole turn, kept in 16 bits.
    SetCameraPosition(150, 7, 50, 360.0f, 0);
    EXPECT_EQ(PlayerHeading, 0);
    SetCameraPosition(150, 7, 50, 270.0f, 0);
    EXPECT_EQ(PlayerHeading, 49152);
    // The camera frame looks along the heading: (sin, 0, cos) of 270 degrees is (-1, 0, 0).
    platform::RmMatrix4 m;
    CameraFrame->GetTransform(m);
    platform::RmVector forward = platform::RmTransformDirection({0, 0, 1}, m);
    EXPECT_NEAR(forward.x, -1.0f, 1e-4);
    EXPECT_NEAR(forward.z, 0.0f, 1e-4);
}

TEST_F(CameraCommands, PositionsFollowTheWorldScale) {
    WorldScale = 2.0f;
    float x, y, z, heading, horizon;
    GetCameraPosition(&x, &y, &z, &heading, &horizon);
    EXPECT_FLOAT_EQ(x, 5.0f);
    EXPECT_FLOAT_EQ(y, 2.5f);
    EXPECT_FLOAT_EQ(z, 10.0f);
    EXPECT_FLOAT_EQ(heading, 90.0f);
    EXPECT_FLOAT_EQ(horizon, 3.0f);
    SetCameraPosition(30.0f, 2.0f, 40.0f, 90.0f, 0);
    EXPECT_EQ(PlayerX, testworld::Fx(60));
    EXPECT_EQ(PlayerZ, testworld::Fx(80));
    EXPECT_FLOAT_EQ(CameraAt().x, 60.0f);
}

TEST_F(CameraCommands, MissingNumbersReadZeroNotTheLastStatements) {
    // The statement before leaves 150 in the number slots; SetCamera with only its mode must not
    // read it back.
    ASSERT_EQ(Load("state Start;\n"
                   "SetCamera 7 150 7 50 180 8;\n"
                   "SetCamera 2;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(PlayerX, 0);
    EXPECT_EQ(PlayerY, 0);
    EXPECT_EQ(PlayerZ, 0);
    EXPECT_EQ(PlayerHeading, 0);
    EXPECT_EQ(HorizonOffset, 0);
    EXPECT_EQ(CurrentCube, Cubes[0]);
}

TEST_F(CameraCommands, AnEyeOutsideTheMapIsReportedAndEndsTheGame) {
    ASSERT_EQ(Load("state Start;\n"
                   "SetCamera 2 500 7 50 0 0;\n"
                   "exit;\n"),
              1);
    EXPECT_THAT(BoxTexts(),
                ElementsAre("D3D: Camera position set inscript is outside the map!\r\n | Msg"));
    EXPECT_TRUE(QuitRequested);
    EXPECT_EQ(RenderingStopped, 1);
    EXPECT_EQ(CurrentCube, nullptr);
    EXPECT_FLOAT_EQ(CameraAt().x, 500.0f);  // the frame is still placed
}

TEST_F(CameraCommands, OtherModesDoNothing) {
    ASSERT_EQ(Load("state Start;\n"
                   "SetCamera 0 150 7 50 0 0;\n"
                   "SetCamera 3 150 7 50 0 0;\n"
                   "MoveCamera 9 1 2 3;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(PlayerX, testworld::Fx(10));
    EXPECT_EQ(CameraSavedFlag, 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

}  // namespace
