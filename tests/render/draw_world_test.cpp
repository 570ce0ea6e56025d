#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "golden.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "platform/rm.h"
#include "platform/rm_frame.h"
#include "platform/rm_mesh.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "render/lighting.h"
#include "render/view.h"
#include "shell/limits.h"
#include "support/test_level.h"
#include "world/char3d_object.h"
#include "world/cube.h"
#include "world/level_reader.h"
#include "world/limits.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/visible_rooms.h"

namespace {

constexpr uint8_t Sentinel = 0xEE;
constexpr int BufferWidth = 640;
constexpr int BufferHeight = 480;
constexpr int ViewW = 480;  // the top-left three quarters
constexpr int ViewH = 360;

// A fixed eye position on the test level: rooms A (x 0..200, z 0..100), B (x 200..300, behind
// A's side at x = 200) and C (z 100..400, stepping down behind A's side at z = 100).
struct Pose {
    const char* name;
    double x;
    double z;
    Angle16 heading;
    int horizon;
    int rooms;  // rooms listed as visible
};

const Pose Poses[] = {
    {"start_north", 50, 30, 0x0000, 0, 2},  // into room C through one exit
    {"start_east", 50, 50, 0x4000, 0, 2},   // along A into room B
    {"start_south", 50, 50, 0x8000, 0, 1},
    {"start_west", 150, 50, 0xC000, 0, 2},
    {"odd_heading", 30, 20, 0x1A2B, 0, 2},
    {"horizon_plus60", 50, 30, 0x0000, 60, 2},
    {"horizon_minus60", 50, 30, 0x0000, -60, 2},
    {"door_leaf", 290, 10, 0xCFA5, 0, 3},  // B's door leaf in front of the exit into A
    {"two_exits", 290, 92, 0xC600, 0, 3},  // from B through A into C
    {"slope_and_deep_floor", 50, 150, 0x0000, 150, 1},
    {"wall_too_near_ahead", 0.5, 50, 0xC000, 0, 2},  // half a unit from the wall: all of it clipped
    {"wall_too_near_beside", 0.5, 30, 0x0000, 0,
     2},  // the same wall along the left, cut at depth 1
};

// The test level loaded, a 640 x 480 back buffer and the player placed at a pose.
class LevelFrame : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetBoxEcho(false);
        QuitRequested = false;
        RenderingStopped = 0;
        folder = std::make_unique<testworld::TestLevelFolder>();
        ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
        InitShadeTable();
        BackBuffer =
            new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, BufferWidth, BufferHeight, 1);
    }
    void TearDown() override {
        BackBuffer->Release();
        BackBuffer = nullptr;
        folder.reset();
        HorizonOffset = 0;
        ShowFaces = 1;
        ShowObjects = 1;
    }

    void Stand(const Pose& pose) {
        PlayerX = static_cast<Fixed16>(pose.x * 65536.0);
        PlayerZ = static_cast<Fixed16>(pose.z * 65536.0);
        PlayerHeading = pose.heading;
        HorizonOffset = pose.horizon;
        CurrentCube = FindCubeAt(PlayerX, PlayerZ);
        ASSERT_NE(CurrentCube, nullptr) << pose.name;
        PlayerY = CurrentCube->FloorHeight(PlayerX, PlayerZ) + EyeHeight;
    }

    void Fill() {
        for (int y = 0; y < BufferHeight; ++y) {
            std::fill_n(BackBuffer->Pixels() + y * BackBuffer->Pitch(), BufferWidth, Sentinel);
        }
    }

    uint8_t Pixel(int x, int y) const { return BackBuffer->Pixels()[y * BackBuffer->Pitch() + x]; }

    golden::Frame View() const {
        golden::Frame frame{ViewW, ViewH, {}};
        for (int y = 0; y < ViewH; ++y) {
            for (int x = 0; x < ViewW; ++x) {
                frame.pixels.push_back(Pixel(x, y));
            }
        }
        return frame;
    }

    // Pixels outside the rectangle (inclusive) that are not the sentinel.
    int WrittenOutside(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = 0; y < BufferHeight; ++y) {
            for (int x = 0; x < BufferWidth; ++x) {
                const bool in = x >= left && x <= right && y >= top && y <= bottom;
                n += !in && Pixel(x, y) != Sentinel;
            }
        }
        return n;
    }

    // The frame's set-up and the visible rooms, as the drawing walk makes them.
    void BeginWalk() {
        ASSERT_EQ(InitRenderViewport(BackBuffer, {0, 0, ViewW - 1, ViewH - 1}), 1);
        SetRenderCamera(PlayerX, PlayerY, PlayerZ, PlayerHeading, HorizonOffset, 256);
        ASSERT_TRUE(BuildVisibleRoomList());
    }
    void EndWalk() {
        ClearRoomVisits();
        BackBuffer->Unlock();
    }

    // One visible room drawn alone over the sentinel, clipped to its window, which is returned.
    RenderRect DrawAlone(Room& room) {
        Fill();
        const RenderRect clip{room.clip[0], room.clip[1], room.clip[2], room.clip[3]};
        SetClipRect(&clip);
        DrawRoom(room);
        return clip;
    }

    // Picks the view pixel (x, y) as a left click does: a one-pixel clip at the pixel, which is
    // cleared first, and the visible rooms walked nearest first.
    PickRecord PickAt(int x, int y) {
        EXPECT_EQ(InitRenderViewport(BackBuffer, {0, 0, ViewW - 1, ViewH - 1}), 1);
        SetRenderCamera(PlayerX, PlayerY, PlayerZ, PlayerHeading, HorizonOffset, 256);
        const RenderRect one{x, y, x + 1, y + 1};
        SetClipRect(&one);
        uint8_t* pixel = BackBuffer->Pixels() + y * BackBuffer->Pitch() + x;
        *pixel = 0;
        PickRecord pick{pixel, nullptr, nullptr, PickNone};
        BuildVisibleRoomList();
        FindPickedObject(pick);
        ClearRoomVisits();
        BackBuffer->Unlock();
        return pick;
    }

    std::unique_ptr<testworld::TestLevelFolder> folder;
};

class DrawWorldTest : public LevelFrame, public ::testing::WithParamInterface<Pose> {};

// The level with the scene graph of the game's 3D characters: a camera frame at the eye and a
// viewport over the view rectangle of the back buffer.
class LevelWithCharacter : public LevelFrame {
protected:
    void SetUp() override {
        LevelFrame::SetUp();
        ASSERT_EQ(platform::RetainedMode::Create(&rm), platform::D3DRM_OK);
        ASSERT_EQ(rm->CreateDeviceFromSurface(BackBuffer, &device), platform::D3DRM_OK);
        SceneFrame = platform::RmFrame::Create(nullptr);
        CameraFrame = platform::RmFrame::Create(SceneFrame);
        ASSERT_EQ(rm->CreateViewport(device, CameraFrame, 0, 0, ViewW, ViewH, &RMViewport),
                  platform::D3DRM_OK);
        ASSERT_EQ(RMViewport->SetBack(ViewportBackDistance), platform::D3DRM_OK);
    }
    void TearDown() override {
        RMViewport->Release();
        RMViewport = nullptr;
        device->Release();
        rm->Release();
        folder.reset();  // frees the characters with the level, before their frames go
        for (platform::RmFrame* frame : {character, CameraFrame, SceneFrame}) {
            if (frame) {
                frame->Release();
            }
        }
        CameraFrame = SceneFrame = nullptr;
        LevelFrame::TearDown();
    }

    // The eye's frame where the player stands, looking along the heading.
    void StandWithCamera(const Pose& pose) {
        Stand(pose);
        CameraFrame->SetPosition(SceneFrame, PlayerX / 65536.0f, PlayerY / 65536.0f,
                                 PlayerZ / 65536.0f);
        const double turn = PlayerHeading * 6.283185307179586 / 65536.0;
        CameraFrame->SetOrientation(SceneFrame, static_cast<float>(std::sin(turn)), 0.0f,
                                    static_cast<float>(std::cos(turn)), 0.0f, 1.0f, 0.0f);
        // The scene's window moves with the horizon as the world's projection centre does.
        const float h = static_cast<float>(HorizonOffset) / ViewW;
        ASSERT_EQ(RMViewport->SetPlane(-0.5f, 0.5f, -0.5f - h, 0.5f - h), platform::D3DRM_OK);
    }

    // A character at (x, y, z), kept in `placed`: one flat quad with both sides drawn, its
    // corners given relative to that point.
    void PlaceCharacter(float x, float y, float z, const platform::RmVector (&corners)[4]) {
        character = platform::RmFrame::Create(SceneFrame);
        character->SetPosition(SceneFrame, x, y, z);
        platform::RmMeshBuilder* quad = nullptr;
        ASSERT_EQ(rm->CreateMeshBuilder(&quad), platform::D3DRM_OK);
        const platform::RmVector normals[2] = {{0, 0, 1}, {0, 0, -1}};
        const uint32_t faces[] = {4, 0, 0, 1, 0, 2, 0, 3, 0, 4, 3, 1, 2, 1, 1, 1, 0, 1, 0};
        ASSERT_EQ(quad->AddFaces(corners, 4, normals, 2, faces, std::size(faces), nullptr),
                  platform::D3DRM_OK);
        character->AddVisual(quad);
        quad->Release();
        ASSERT_EQ(CreateChar3DObject(character, &placed), 1);
    }

    // The view drawn from a cleared viewport over the sentinel.
    golden::Frame Draw() {
        EXPECT_EQ(RMViewport->Clear(), platform::D3DRM_OK);
        Fill();
        DrawWorld();
        return View();
    }

    platform::RetainedMode* rm = nullptr;
    platform::RmDevice* device = nullptr;
    platform::RmFrame* character = nullptr;
    Char3DObject* placed = nullptr;
};

}  // namespace

TEST_F(LevelFrame, PickingFindsTheSpriteAndSeesThroughItsClearTexels) {
    // From room A looking east, B's sprite (id 21) stands before B's far wall (side 2 of B's
    // lower cube); its texel-0 corners leave the wall to be hit.
    Stand({"start_east", 50, 50, 0x4000, 0, 2});
    PickRecord pick = PickAt(242, 237);
    EXPECT_EQ(pick.kind, PickObject);
    ASSERT_NE(pick.object, nullptr);
    EXPECT_EQ(pick.object->id, 21);
    pick = PickAt(222, 206);
    EXPECT_EQ(pick.kind, PickSide + 2);
    EXPECT_EQ(pick.cube, Cubes[2]);
    EXPECT_EQ(pick.object, nullptr);
    // Below the far wall lies B's floor.
    pick = PickAt(240, 290);
    EXPECT_EQ(pick.kind, PickFloor);
    EXPECT_EQ(pick.cube, Cubes[2]);
}

TEST_F(LevelFrame, EveryTiltUpToTheLimitDrawsTheWholeView) {
    // The full-view bounds reach 480 lines above and below the projection centre; the 360
    // lines of the view fit inside them up to a tilt of 300 either way.
    const int limit = MaxWholeViewHorizon(ViewW, ViewH);
    EXPECT_EQ(limit, 300);
    const auto undrawn = [this]() {
        Fill();
        DrawWorld();
        int kept = 0;
        for (int y = 0; y < ViewH; ++y) {
            for (int x = 0; x < ViewW; ++x) {
                kept += Pixel(x, y) == Sentinel;
            }
        }
        return kept;
    };
    for (const Pose& base : Poses) {
        if (std::string(base.name) == "wall_too_near_ahead") {
            continue;  // nothing of the level in view at any tilt
        }
        Pose pose = base;
        for (pose.horizon = -limit; pose.horizon <= limit; pose.horizon += HorizonStep) {
            Stand(pose);
            EXPECT_EQ(undrawn(), 0) << pose.name << " at " << pose.horizon;
        }
        // One step further, a band at the top or the bottom is left undrawn.
        for (const int beyond : {-limit - HorizonStep, limit + HorizonStep}) {
            pose.horizon = beyond;
            Stand(pose);
            EXPECT_GT(undrawn(), 0) << pose.name << " at " << beyond;
        }
    }
}

TEST_F(LevelWithCharacter, ACharacterSeenThroughAnExitStaysInsideItsWindow) {
    // From room A looking east into room B: a character in B, wider than the exit it is seen
    // through, is drawn with B and only inside B's window.
    StandWithCamera({"start_east", 50, 50, 0x4000, 0, 2});
    PlaceCharacter(270, 40, 50, {{0, -100, -100}, {0, 100, -100}, {0, 100, 100}, {0, -100, 100}});
    ASSERT_EQ(RMViewport->Clear(), platform::D3DRM_OK);
    BeginWalk();
    ASSERT_EQ(VisibleRoomCursor->room, Rooms[1]);
    const RenderRect window = DrawAlone(*Rooms[1]);
    EXPECT_GT(device->TrianglesDrawn(), 0u);
    EXPECT_EQ(WrittenOutside(window.left, window.top, window.right, window.bottom), 0);
    EndWalk();
}

TEST_F(LevelWithCharacter, ACharacterBehindAWallOfThePlayersRoomChangesNothing) {
    // From the east half of room A looking north-west: room C shows through its exit on the
    // left, and a character in C stands straight behind A's wall on the right.
    StandWithCamera({"north_west", 180, 50, 0xE000, 0, 2});
    const golden::Frame empty = Draw();
    ASSERT_NE(Rooms[2]->clip[1], HiddenClipTop);
    PlaceCharacter(90, 40, 250, {{-10, -60, 0}, {10, -60, 0}, {10, 20, 0}, {-10, 20, 0}});
    EXPECT_TRUE(Draw().pixels == empty.pixels);
}

TEST_F(LevelWithCharacter, ACharacterBelowTheStepOfItsRoomIsHiddenByTheNearerCubesFloor) {
    // Room C steps down by a hundred units at z = 300. From its first cube, looking down the
    // room, a character at the far end of the last cube stands below the line of sight over the
    // step's edge and above that to the near end of the step's cube: that cube's floor, nearer
    // and so drawn after the character's cube, covers it. On that nearer cube it shows.
    StandWithCamera({"down_the_step", 50, 150, 0x0000, 300, 1});
    const golden::Frame empty = Draw();
    PlaceCharacter(50, -199.7f, 390, {{-10, 0, 0}, {10, 0, 0}, {10, 50, 0}, {-10, 50, 0}});
    ASSERT_EQ(placed->cube, Cubes[6]);
    EXPECT_TRUE(Draw().pixels == empty.pixels);
    SetObjectPosition(placed, 50, -95, 280);
    ASSERT_EQ(placed->cube, Cubes[5]);
    EXPECT_FALSE(Draw().pixels == empty.pixels);
}

TEST_F(LevelWithCharacter, ACharacterStandsAtTheWorldsHorizonHoweverTheViewportWasLeft) {
    // A script's camera, a camera move and a new display mode set the horizon without the tilt
    // keys: the frame still draws the character with the world's horizon, on its floor.
    StandWithCamera({"tilted_north", 50, 30, 0x0000, 120, 2});
    const golden::Frame empty = Draw();
    PlaceCharacter(50, 0, 180, {{-10, 0, 0}, {10, 0, 0}, {10, 30, 0}, {-10, 30, 0}});
    const golden::Frame banded = Draw();
    ASSERT_FALSE(banded.pixels == empty.pixels);
    ASSERT_EQ(RMViewport->SetPlane(-0.5f, 0.5f, -0.5f, 0.5f), platform::D3DRM_OK);
    EXPECT_TRUE(Draw().pixels == banded.pixels);
}

TEST_F(LevelWithCharacter, ACharacterMovedIntoTheEyesCubeIsDrawnAfterItsWalls) {
    // A character placed on the step's cube and moved down into the last cube of room C, where
    // the eye stands: it is listed there and drawn after that cube's far wall, which would cover
    // it were it still listed in the cube it came from.
    StandWithCamera({"last_cube", 50, 310, 0x0000, 0, 1});
    const golden::Frame empty = Draw();
    PlaceCharacter(50, -95, 280, {{-10, 0, 0}, {10, 0, 0}, {10, 60, 0}, {-10, 60, 0}});
    ASSERT_EQ(placed->cube, Cubes[5]);
    SetObjectPosition(placed, 50, -199.7f, 380);
    ASSERT_EQ(placed->cube, CurrentCube);
    EXPECT_FALSE(Draw().pixels == empty.pixels);
}

TEST_P(DrawWorldTest, FrameMatchesItsStoredPictureAndStaysInsideTheView) {
    const Pose& pose = GetParam();
    Stand(pose);
    Fill();
    DrawWorld();
    EXPECT_EQ(WrittenOutside(0, 0, ViewW - 1, ViewH - 1), 0);
    golden::ExpectMatches(pose.name, View());
}

TEST_P(DrawWorldTest, EveryRoomStaysInsideItsClipWindow) {
    const Pose& pose = GetParam();
    Stand(pose);
    BeginWalk();
    int listed = 0;
    for (RoomNode* node = VisibleRoomHead;; node = node->next) {
        ++listed;
        const RenderRect clip = DrawAlone(*node->room);
        EXPECT_EQ(WrittenOutside(clip.left, clip.top, clip.right, clip.bottom), 0)
            << "room " << listed;
        if (node == VisibleRoomCursor) {
            break;
        }
    }
    EXPECT_EQ(listed, pose.rooms);
    EndWalk();
}

INSTANTIATE_TEST_SUITE_P(Poses, DrawWorldTest, ::testing::ValuesIn(Poses),
                         [](const ::testing::TestParamInfo<Pose>& info) {
                             return std::string(info.param.name);
                         });
