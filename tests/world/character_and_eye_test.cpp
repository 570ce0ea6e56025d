#include <gtest/gtest.h>

#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "platform/rm.h"
#include "support/world_builder.h"
#include "world/camera_height.h"
#include "world/char3d_object.h"
#include "world/cube.h"
#include "world/free_level.h"
#include "world/player.h"
#include "world/room.h"

using namespace testworld;

namespace {

class WorldWithScene : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        saved = {PlayerX, PlayerY, PlayerZ};
        savedEye = EyeHeight;
        SceneFrame = platform::RmFrame::Create(nullptr);
        room = AddRoom();
        low = AddBox(room, 0, 0, 10, 10, 0.0);
        high = AddBox(room, 10, 0, 20, 10, 50.0);
        ramp = AddCube(room, {{20, 0, 0}, {20, 10, 0}, {30, 10, 10}, {30, 0, 10}});
        ramp->floorSloped = 1;
        CloseRoom(room);
        for (int i = 0; i < CubeCount; ++i) {
            Cubes[i]->LinkNeighbours();
        }
    }
    void TearDown() override {
        FreeLevel();
        if (WorldFrame) {
            WorldFrame->Release();
            WorldFrame = nullptr;
        }
        if (CameraFrame) {
            CameraFrame->Release();
            CameraFrame = nullptr;
        }
        SceneFrame->Release();
        SceneFrame = nullptr;
        PlayerX = saved.x;
        PlayerY = saved.y;
        PlayerZ = saved.z;
        EyeHeight = savedEye;
        Falling = FallStep = 0;
        ResetCameraHeight();
        ResetErrorState();
    }

    FixedVector saved{};
    Fixed16 savedEye = 0;
    Room* room = nullptr;
    Cube *low = nullptr, *high = nullptr, *ramp = nullptr;
};

}  // namespace

TEST_F(WorldWithScene, EyeSnapsToNearFloorsAndFallsFromHighOnes) {
    EyeHeight = Fx(10);
    PlayerX = Fx(15);
    PlayerZ = Fx(5);
    PlayerY = INT32_MIN;  // as after a level load: straight onto the floor
    UpdateCameraHeight(high);
    EXPECT_EQ(PlayerY, Fx(60));
    PlayerX = Fx(5);
    UpdateCameraHeight(low);  // 50.0 below: a fall, accelerating each frame
    EXPECT_EQ(Falling, 1);
    EXPECT_EQ(PlayerY, Fx(60));  // the first frame drops nothing
    UpdateCameraHeight(low);
    EXPECT_EQ(PlayerY, Fx(60) - 55875);
    UpdateCameraHeight(low);
    EXPECT_EQ(PlayerY, Fx(60) - 3 * 55875);
    int frames = 3;
    while (Falling && frames < 100) {
        UpdateCameraHeight(low);
        ++frames;
    }
    EXPECT_EQ(PlayerY, Fx(10));
    EXPECT_EQ(FallStep, 0);
    EXPECT_EQ(frames, 12);  // 55875 * 12 * 11 / 2 is the first drop past 50.0

    PlayerX = Fx(25);  // a sloped floor: the height under the eye
    UpdateCameraHeight(ramp);
    EXPECT_NEAR(PlayerY, Fx(15), 2);
    PlayerX = Fx(15);  // up 40.0 or more: at once
    UpdateCameraHeight(high);
    EXPECT_EQ(PlayerY, Fx(60));
}

TEST_F(WorldWithScene, TheCameraFrameFollowsUnlessAMoverCarriesIt) {
    CameraFrame = platform::RmFrame::Create(SceneFrame);
    EyeHeight = Fx(10);
    PlayerX = Fx(5);
    PlayerZ = Fx(4);
    UpdateCameraHeight(low);
    platform::RmVector at{};
    CameraFrame->GetPosition(SceneFrame, &at);
    EXPECT_FLOAT_EQ(at.x, 5.0f);
    EXPECT_FLOAT_EQ(at.y, 10.0f);
    EXPECT_FLOAT_EQ(at.z, 4.0f);
    CameraMoverActive = 1;
    PlayerX = Fx(15);
    UpdateCameraHeight(high);
    EXPECT_EQ(PlayerY, Fx(10));
}

TEST_F(WorldWithScene, CharactersTakeRunTimeIdsAndMoveBetweenCubeLists) {
    platform::RmFrame* frame = platform::RmFrame::Create(SceneFrame);
    frame->SetPosition(SceneFrame, 5.0f, 0.0f, 5.0f);
    ObjectCount = 3;
    Char3DObject* character = nullptr;
    ASSERT_EQ(CreateChar3DObject(frame, &character), 1);
    EXPECT_EQ(character->id, 3);
    EXPECT_EQ(MapObjectTable[3], character);
    EXPECT_EQ(ObjectCount, 4);
    EXPECT_EQ(character->type, Char3DType);
    EXPECT_EQ(character->cube, low);
    EXPECT_EQ(low->objects->object, character);

    SetObjectPosition(character, 15.0f, 50.0f, 5.0f);
    EXPECT_EQ(character->cube, high);
    EXPECT_EQ(low->objects, nullptr);
    EXPECT_EQ(high->objects->object, character);
    EXPECT_EQ(character->centre.y, Fx(50));
    platform::RmVector at{};
    frame->GetPosition(SceneFrame, &at);
    EXPECT_FLOAT_EQ(at.x, 15.0f);

    SetObjectPosition(character, 500.0f, 0.0f, 5.0f);  // outside: stays listed where it was
    EXPECT_EQ(character->cube, high);
    frame->Release();
}

TEST_F(WorldWithScene, CharacterOutsideTheMapIsReported) {
    platform::RmFrame* frame = platform::RmFrame::Create(SceneFrame);
    frame->SetPosition(SceneFrame, 500.0f, 0.0f, 5.0f);
    Char3DObject* character = nullptr;
    EXPECT_EQ(CreateChar3DObject(frame, &character), 0);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text,
              "D3D: Character 3D position is outside the map!\r\n");
    EXPECT_TRUE(QuitRequested);
    ObjectCount = MaxMapObjects;  // a full table takes no more
    EXPECT_EQ(CreateChar3DObject(frame, &character), 0);
    frame->Release();
}

TEST_F(WorldWithScene, LevelCharactersGetAFrameOfTheirOwnUnderTheScene) {
    PlaceLevelCharacter(*low, Fx(4), Fx(0), Fx(6));
    ASSERT_NE(WorldFrame, nullptr);
    EXPECT_EQ(WorldFrame->GetParent(), SceneFrame);
    platform::RmFrame* first = WorldFrame;
    PlaceLevelCharacter(*low, Fx(6), Fx(0), Fx(6));
    EXPECT_NE(WorldFrame, first);
    EXPECT_EQ(SceneFrame->Children().size(), 2u);
    int listed = 0;
    for (ObjectListNode* node = low->objects; node; node = node->next) {
        ++listed;
        EXPECT_EQ(node->object->type, Char3DType);
        EXPECT_EQ(node->object->id, -1);  // no id: not the first table slot's
    }
    EXPECT_EQ(listed, 2);
}

TEST_F(WorldWithScene, CharactersRenderWithTheBackBufferUnlockedAndLockItAgain) {
    platform::RetainedMode* rm = nullptr;
    ASSERT_EQ(platform::RetainedMode::Create(&rm), platform::D3DRM_OK);
    BackBuffer = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 64, 48, 1);
    platform::RmDevice* device = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromSurface(BackBuffer, &device), platform::D3DRM_OK);
    platform::RmFrame* camera = platform::RmFrame::Create(SceneFrame);
    ASSERT_EQ(rm->CreateViewport(device, camera, 0, 0, 64, 48, &RMViewport), platform::D3DRM_OK);
    platform::SurfaceDesc desc;
    ASSERT_EQ(BackBuffer->Lock(nullptr, &desc, platform::DDLOCK_WAIT), platform::DD_OK);

    Char3DObject character;
    character.frame = platform::RmFrame::Create(SceneFrame);
    EXPECT_EQ(character.Draw(), 1);
    EXPECT_TRUE(BackBuffer->IsLocked());
    EXPECT_EQ(character.frame->Color(), 255u);
    EXPECT_EQ(character.frame->MaterialMode(), platform::D3DRMMATERIAL_FROMFRAME);

    BackBuffer->Unlock();
    character.frame->Release();
    RMViewport->Release();
    RMViewport = nullptr;
    camera->Release();
    device->Release();
    BackBuffer->Release();
    BackBuffer = nullptr;
    rm->Release();
}
