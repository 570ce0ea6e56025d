#include <gtest/gtest.h>

#include <functional>

#include "base/report_error.h"
#include "platform/backend.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/message_box.h"
#include "support/test_level.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/free_level.h"
#include "world/level_reader.h"
#include "world/map_object.h"
#include "world/movement.h"
#include "world/player.h"
#include "world/room.h"

using namespace testworld;

namespace {

// Saves the player's globals and puts them back, so that tests do not leak positions.
class PlayerState {
public:
    PlayerState()
        : x_(PlayerX), y_(PlayerY), z_(PlayerZ), heading_(PlayerHeading), eye_(EyeHeight),
          cube_(CurrentCube) {
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        ResetErrorState();
        Falling = 0;
        FallStep = 0;
    }
    ~PlayerState() {
        PlayerX = x_;
        PlayerY = y_;
        PlayerZ = z_;
        PlayerHeading = heading_;
        EyeHeight = eye_;
        CurrentCube = cube_;
        Falling = 0;
        FallStep = 0;
        ResetErrorState();
    }

private:
    Fixed16 x_, y_, z_;
    Angle16 heading_;
    Fixed16 eye_;
    Cube* cube_;
};

// The tests' level: room A (cubes 0 and 1, floor 0) at the start, room B (cube 2, with door 7
// standing from x 240 to 250, z 20 to 80) beyond x 200, room C (cube 4, floor -71.7) beyond
// z 100 of cube 0.
class LevelMovement : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::make_unique<TestLevelFolder>();
        ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
        // The cursor rests in the middle of the screen, out of the edge zones.
        platform::SetClientSize({640, 480});
        platform::InjectMouseMove(320, 240);
    }
    void TearDown() override {
        platform::ResetInput();
        folder.reset();
    }

    // Puts the player at (x, z) facing `heading`, the eye on the floor.
    void PlaceAt(double x, double z, Angle16 heading) {
        PlayerX = Fx(x);
        PlayerZ = Fx(z);
        PlayerHeading = heading;
        CurrentCube = FindCubeAt(PlayerX, PlayerZ);
        ASSERT_NE(CurrentCube, nullptr);
        PlayerY = CurrentCube->Bottom(0).y + EyeHeight;
    }

    void Walk(int code, int steps) {
        for (int i = 0; i < steps; ++i) {
            EXPECT_EQ(MovePlayer(code), 1);
        }
    }

    PlayerState saved;
    std::unique_ptr<TestLevelFolder> folder;
};

}  // namespace

TEST_F(LevelMovement, WalkingIntoAWallStopsOrSlidesAtTheWallDistance) {
    // Straight at the wall z = 0: the player ends exactly 8.0 from it and stays there.
    PlaceAt(50, 30, 0x8000);
    Walk(MoveForward, 6);
    EXPECT_EQ(PlayerZ, 8 * FixedOne);
    EXPECT_EQ(PlayerX, 50 * FixedOne);
    EXPECT_EQ(CurrentCube, Cubes[0]);

    // At an angle: the part along the wall remains, the distance is kept.
    PlaceAt(50, 30, 0x8000 - 0x1000);
    Walk(MoveForward, 4);
    EXPECT_EQ(PlayerZ, 8 * FixedOne);
    const Fixed16 before = PlayerX;
    Walk(MoveForward, 1);
    EXPECT_EQ(PlayerZ, 8 * FixedOne);
    EXPECT_GT(PlayerX, before + 4 * FixedOne);  // sliding on toward +x

    // Into the corner of the walls x = 0 and z = 0: held at 8.0 from both.
    PlaceAt(20, 20, 0x8000 + 0x2000);
    Walk(MoveForward, 6);
    EXPECT_EQ(PlayerX, 8 * FixedOne);
    EXPECT_EQ(PlayerZ, 8 * FixedOne);
}

TEST_F(LevelMovement, StepsAndTurnsFollowTheHeadingWithWrappingAngles) {
    PlaceAt(150, 50, 0x1000);
    Walk(MoveForwardLeft, 1);  // along 0xF000
    EXPECT_EQ(PlayerX, 150 * FixedOne + SinOf(0xF000) * StepScale);
    EXPECT_EQ(PlayerZ, 50 * FixedOne + CosOf(0xF000) * StepScale);

    PlaceAt(150, 50, 0xF000);
    Walk(MoveForwardRight, 1);  // along 0x1000
    EXPECT_EQ(PlayerX, 150 * FixedOne + SinOf(0x1000) * StepScale);

    PlaceAt(150, 50, 0x4000);
    Walk(MoveBackLeft, 1);  // back along 0x6000
    EXPECT_EQ(PlayerX, 150 * FixedOne - SinOf(0x6000) * StepScale);
    EXPECT_EQ(PlayerZ, 50 * FixedOne - CosOf(0x6000) * StepScale);

    const Fixed16 x = PlayerX;
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(MovePlayer(MoveTurnRight), 1);
    }
    EXPECT_EQ(PlayerHeading, 0x4000);
    EXPECT_EQ(MovePlayer(MoveTurnLeft), 1);
    EXPECT_EQ(PlayerHeading, 0x4000 - TurnStep);
    EXPECT_EQ(PlayerX, x);  // turning never moves

    EXPECT_EQ(MovePlayer(MoveNone), 0);
    EXPECT_EQ(MovePlayer(11), 0);
    EXPECT_EQ(MovePlayer(-1), 0);
}

TEST_F(LevelMovement, SteppingOffAHighLedgeFallsWithGrowingSpeed) {
    // Cube 0's side z = 100 is open onto room C, whose floor lies 71.7 lower.
    PlaceAt(50, 90, 0);
    const Fixed16 start = PlayerY;
    Walk(MoveForward, 1);
    EXPECT_EQ(CurrentCube, Cubes[4]);
    EXPECT_EQ(Falling, 1);
    EXPECT_EQ(PlayerY, start);  // the first frame drops nothing
    const Fixed16 z = PlayerZ;
    const Fixed16 target = Cubes[4]->Bottom(0).y + EyeHeight;

    Fixed16 expected = start;
    int frames = 0;
    for (int step = 1; Falling; ++step, ++frames) {
        // Whatever the code, a falling player neither turns nor steps.
        EXPECT_EQ(MovePlayer(step % 2 ? MoveTurnLeft : MoveForward), 1);
        expected -= step * 55875;
        EXPECT_EQ(PlayerY, Falling ? expected : target);
        ASSERT_LT(frames, 100);
    }
    EXPECT_GT(frames, 3);
    EXPECT_EQ(PlayerHeading, 0);
    EXPECT_EQ(PlayerZ, z);
    EXPECT_EQ(FallStep, 0);
}

TEST_F(LevelMovement, DoorLeafStopsThePlayerPushesOutAndEndsTheGameWhenClosedOnThem) {
    // Toward the leaf's face x = 240: stopped 8.0 before it.
    PlaceAt(220, 50, 0x4000);
    Walk(MoveForward, 4);
    EXPECT_EQ(PlayerX, 232 * FixedOne);

    // Standing 4.0 from the leaf and stepping along it: pushed out to 8.0.
    PlaceAt(236, 50, 0);
    Walk(MoveForward, 1);
    EXPECT_EQ(PlayerX, 232 * FixedOne);
    EXPECT_EQ(PlayerZ, 50 * FixedOne + CosOf(0) * StepScale);

    // Raised above the eye, the leaf lets the player under it.
    UpdateDoor(7, 1, 1.0f);
    for (int i = 0; i < 40; ++i) {
        UpdateWorld();
    }
    PlaceAt(230, 50, 0x4000);
    Walk(MoveForward, 1);
    EXPECT_GT(PlayerX, 240 * FixedOne);
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    // Closed onto the player: the next step ends the game with the report.
    UpdateDoor(7, 2, 1.0f);
    for (int i = 0; i < 40; ++i) {
        UpdateWorld();
    }
    MovePlayer(MoveForward);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "D3D: Player is inside the door!\r\n");
    EXPECT_TRUE(QuitRequested);
}

TEST_F(LevelMovement, CursorAtTheScreenEdgesTurnsAndMovesThePlayerEachFrame) {
    PlaceAt(50, 50, 0);
    platform::InjectMouseMove(10, 240);  // left edge: turn left
    UpdateWorld();
    UpdateWorld();
    EXPECT_EQ(PlayerHeading, static_cast<Angle16>(-2 * TurnStep));

    PlaceAt(50, 50, 0);
    platform::InjectMouseMove(320, 10);  // top edge: step forward
    UpdateWorld();
    EXPECT_EQ(PlayerZ, 50 * FixedOne + CosOf(0) * StepScale);

    platform::InjectMouseMove(320, 240);  // the middle: nothing
    const Fixed16 z = PlayerZ;
    UpdateWorld();
    EXPECT_EQ(PlayerZ, z);
    EXPECT_EQ(PlayerHeading, 0);
}

TEST_F(LevelMovement, CursorSteersOnlyFromInsideTheWindowWhileItHasTheFocus) {
    // No pointer seen in the window yet (it rests outside after the dialog): its position,
    // the top-left corner, moves nothing.
    platform::ResetInput();
    PlaceAt(50, 50, 0);
    UpdateWorld();
    EXPECT_EQ(PlayerZ, 50 * FixedOne);
    EXPECT_EQ(PlayerHeading, 0);

    // Inside at the left edge it turns; once the pointer has left the window it stops.
    platform::InjectMouseMove(10, 240);
    UpdateWorld();
    EXPECT_EQ(PlayerHeading, static_cast<Angle16>(-TurnStep));
    platform::InjectWindowEvent(SDL_WINDOWEVENT_LEAVE);
    UpdateWorld();
    EXPECT_EQ(PlayerHeading, static_cast<Angle16>(-TurnStep));

    // Back inside, then the window loses the focus: nothing until it has it again.
    platform::InjectMouseMove(10, 240);
    platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    UpdateWorld();
    EXPECT_EQ(PlayerHeading, static_cast<Angle16>(-TurnStep));
    platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    UpdateWorld();
    EXPECT_EQ(PlayerHeading, static_cast<Angle16>(-2 * TurnStep));
}

// The world's frames carry a fall on whether or not the cursor may steer: with no pointer seen
// since start-up, with the pointer gone out of the window, and with the window in the background.
// From the 71.7 ledge, dropping 0.8526 more each frame, the eye lands in the 13th frame.
TEST_F(LevelMovement, AFallGoesOnEveryFrameWhereverThePointerIs) {
    const std::function<void()> pointers[] = {
        [] { platform::ResetInput(); },
        [] { platform::InjectWindowEvent(SDL_WINDOWEVENT_LEAVE); },
        [] { platform::InjectWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST); },
    };
    for (size_t i = 0; i < std::size(pointers); ++i) {
        SCOPED_TRACE(i);
        platform::ResetInput();
        platform::InjectMouseMove(320, 240);
        pointers[i]();
        PlaceAt(50, 90, 0);
        Walk(MoveForward, 1);
        ASSERT_EQ(Falling, 1);
        int frames = 0;
        while (Falling && frames < 100) {
            UpdateWorld();
            ++frames;
        }
        EXPECT_EQ(frames, 13);
        EXPECT_EQ(PlayerY, Cubes[4]->Bottom(0).y + EyeHeight);
    }
}

TEST(MovementZones, EdgeZonesOfTheReferenceScreen) {
    struct Case {
        int x, y, code;
    };
    const Case cases[] = {
        {79, 60, MoveForwardLeftEdge}, {80, 60, MoveNone},
        {560, 59, MoveForward},        {0, 61, MoveTurnLeft},
        {79, 419, MoveTurnLeft},       {0, 420, MoveBackLeft},
        {561, 240, MoveTurnRight},     {600, 0, MoveForwardRightEdge},
        {639, 479, MoveBackRight},     {300, 421, MoveBack},
        {300, 420, MoveNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MouseZoneCode(c.x, c.y), c.code) << c.x << ", " << c.y;
    }
}

TEST(MovementWithoutLevel, NothingMovesOrTurnsWithoutACube) {
    PlayerState saved;
    CurrentCube = nullptr;
    const Angle16 heading = PlayerHeading;
    const Fixed16 x = PlayerX;
    EXPECT_EQ(MovePlayer(MoveTurnRight), 0);
    EXPECT_EQ(MovePlayer(MoveForward), 0);
    EXPECT_EQ(PlayerHeading, heading);
    EXPECT_EQ(PlayerX, x);
}

TEST(MovementBuiltWorld, OpenSidesIntoSteepCubesAndZeroLengthSidesAndSmallDrops) {
    PlayerState saved;
    Room* room = AddRoom();
    Cube* flat = AddBox(room, 0, 0, 100, 100, 0.0);
    Cube* steep = AddBox(room, 100, 0, 200, 100, 0.0);
    Cube* lower = AddBox(room, 0, 100, 100, 200, -30.0);
    CloseRoom(room);
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->LinkNeighbours();
        Cubes[i]->normal[FloorSlot] = {0, FixedOne, 0};
        for (int k = 0; k < CubeSides; ++k) {
            Cubes[i]->texture[k] = OpenFace;
        }
    }
    // Inward side normals of the axis-aligned boxes: side 0 at x0, 1 at z1, 2 at x1, 3 at z0.
    const FixedVector inward[4] = {
        {FixedOne, 0, 0}, {0, 0, -FixedOne}, {-FixedOne, 0, 0}, {0, 0, FixedOne}};
    for (int i = 0; i < CubeCount; ++i) {
        for (int k = 0; k < CubeSides; ++k) {
            Cubes[i]->normal[k] = inward[k];
        }
    }
    ASSERT_EQ(flat->link[2], steep);
    steep->normal[FloorSlot].y = SteepNormalY - 1;

    EyeHeight = 10 * FixedOne;
    CurrentCube = flat;
    PlayerX = 90 * FixedOne;
    PlayerZ = 50 * FixedOne;
    PlayerY = 10 * FixedOne;
    PlayerHeading = 0x4000;
    MovePlayer(MoveForward);
    EXPECT_EQ(PlayerX, 92 * FixedOne);  // slid along the open side instead of passing
    EXPECT_EQ(CurrentCube, flat);

    // Forty or less below: the eye snaps down at once.
    PlayerHeading = 0;
    PlayerX = 50 * FixedOne;
    PlayerZ = 95 * FixedOne;
    MovePlayer(MoveForward);
    EXPECT_EQ(CurrentCube, lower);
    EXPECT_EQ(Falling, 0);
    EXPECT_EQ(PlayerY, -20 * FixedOne);

    // A side whose two corners lie at one place is never near.
    Vertices[flat->bottom[1]] = Vertices[flat->bottom[0]];
    Vertices[flat->bottom[1]].y = 0;
    PlayerX = 4 * FixedOne;
    PlayerZ = 0;
    EXPECT_FALSE(SideNear(*flat, 0, FixedVector{0, 0, 0}));
    FreeLevel();
}
