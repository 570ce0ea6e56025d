#include <cmath>

#include "anim/key_frames.h"
#include "anim/robot_movers.h"
#include "planner/robot_scene.h"
#include "scene_fixture.h"

namespace {

// A walker at (50, 0, 50) on a level floor, hot spots 0 to 2 at x = 60, 80 and 150 (targets
// only), a click that walks it to hot spot 0 at 3 units a frame, a timer that sets it to play its
// motion for three counted passes, and the file's last state, a step state, as the walker's
// follow-up state.
const char* const WalkScript =
    "int arrived;\n"
    "int motions;\n"
    "state Start;\n"
    "LoadAnimObj \"walker.x\" 50 0 50 1 0;\n"
    "SetAnim 0 0 0;\n"
    "LHS 1 5 60 0 50;\n"
    "LHS 1 5 80 0 50;\n"
    "LHS 1 5 150 0 50;\n"
    "exit;\n"
    "state Event;\n"
    "MHS 1 0 0 3 0;\n"
    "exit;\n"
    "state Motion;\n"
    "motions = (motions + 1);\n"
    "exit;\n"
    "state Timer;\n"
    "SetAnim 0 0 2;\n"
    "exit;\n"
    "stepState Arrived;\n"
    "arrived = 1;\n"
    "arrived = 2;\n";

class Movers : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_EQ(Run(WalkScript), 1);
        ASSERT_EQ(AnimObjCount, 1);
        ASSERT_NE(AnimObj[0].character, nullptr);
    }
    // The walker's x on each of n frames.
    static std::vector<float> XPerFrame(int n) {
        std::vector<float> xs;
        for (int i = 0; i < n; ++i) {
            UpdateAnimObjects();
            xs.push_back(At(0).x);
        }
        return xs;
    }
};

TEST_F(Movers, StraightMoveStepsBySpeedThenHandsBackAndRunsTheFollowUpStep) {
    // 10 units at 3 a frame: frames 0 to 3 placed, stopping short of the target.
    ASSERT_EQ(RaiseEvent(), 1);
    EXPECT_EQ(AnimObj[0].type, AnimStraightMove);
    EXPECT_EQ(AnimObj[0].arg, 0);
    const std::vector<float> xs = XPerFrame(4);
    EXPECT_FLOAT_EQ(xs[0], 50.0f);
    EXPECT_FLOAT_EQ(xs[1], 53.0f);
    EXPECT_FLOAT_EQ(xs[2], 56.0f);
    EXPECT_FLOAT_EQ(xs[3], 59.0f);
    EXPECT_EQ(Var("arrived"), 0);
    EXPECT_EQ(UpdateStateFlag, 0);

    Frames(1);  // the fifth step ends the move
    EXPECT_FLOAT_EQ(At(0).x, 59.0f);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(AnimObj[0].row, 0);
    EXPECT_EQ(AnimObj[0].arg, -1);
    EXPECT_EQ(HotSpots[0].object, 0);  // the walker's motion row arrived
    EXPECT_EQ(Var("arrived"), 1);      // the step state took one step, no "Motion"
    EXPECT_EQ(Var("motions"), 0);
    EXPECT_EQ(UpdateStateFlag, 1);
    EXPECT_EQ(MoverChannelRow(CurrentMoverChannel), 0);
    EXPECT_EQ(MoverChannel[0].frame, 0);

    // The next move, to hot spot 1, takes the walker's mark off hot spot 0 as it starts.
    ASSERT_EQ(MoveToHotSpot(1, 0, 1, 10.0f, 0), 1);
    EXPECT_EQ(HotSpots[0].object, -1);
    EXPECT_EQ(HotSpots[1].object, -1);
    Frames(5);
    EXPECT_EQ(HotSpots[1].object, 0);
    EXPECT_EQ(Var("arrived"), 2);
}

TEST_F(Movers, SetAnimTakesTheCharacterOffItsMoverWhereItStands) {
    ASSERT_EQ(RaiseEvent(), 1);
    Frames(2);
    ASSERT_FLOAT_EQ(At(0).x, 53.0f);
    ASSERT_EQ(RaiseTimerEvent(), 1);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(AnimObj[0].row, 0);
    EXPECT_EQ(AnimObj[0].arg, -1);
    EXPECT_EQ(MoverChannel[0].frame, 0);
    // The walker stays where it was taken off and plays its motion on from frame 2: three
    // passes of 8 frames, the first one short, then "Motion". The move never arrives.
    EXPECT_EQ(MotionTable[0].frame, 2);
    Frames(21);
    EXPECT_FLOAT_EQ(At(0).x, 53.0f);
    EXPECT_EQ(Var("motions"), 0);
    Frames(1);
    EXPECT_EQ(Var("motions"), 1);
    EXPECT_EQ(MotionTable[0].active, 0);
    EXPECT_EQ(Var("arrived"), 0);
    EXPECT_EQ(HotSpots[0].object, -1);
    EXPECT_EQ(UpdateStateFlag, 0);

    // A jump taken off in mid-flight gives the row its plain turn back; a new move starts from
    // where the walker stands and arrives as usual.
    ASSERT_EQ(MoveToHotSpot(2, 0, 1, 45.0f, 0), 1);
    Frames(3);
    ASSERT_EQ(MotionTable[0].applyMode, 1);
    SetAnim(0, 0, 0);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(MotionTable[0].applyMode, 0);
    const platform::RmVector there = At(0);
    const float from[3] = {there.x, there.y, there.z}, to[3] = {there.x + 6.0f, there.y, there.z};
    ASSERT_EQ(StartLineMove(0, from, to, 3.0f), 0);
    ASSERT_EQ(AddAnimObject(0, MoverChannel[0].frameCount, AnimStraightMove, 0), 1);
    Frames(4);
    EXPECT_FLOAT_EQ(At(0).x, there.x + 6.0f);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(Var("arrived"), 1);

    // The camera's move, taken over by SetAnim, lets the eye follow the floors again.
    ASSERT_EQ(MoveToHotSpot(4, -1, 2, 10.0f, 0), 2);
    const int camera = CameraMoverEntry;
    Frames(1);
    ASSERT_EQ(CameraMoverActive, 1);
    SetAnim(camera, 0, 0);
    EXPECT_EQ(AnimObj[camera].type, AnimCharacterMotion);
    EXPECT_EQ(CameraMoverActive, 0);
}

TEST_F(Movers, MovesThatCannotStartOrAreShorterThanOneStep) {
    // Shorter than one step: no whole frame, so the start alone is placed and the next step ends
    // the move as any move ends. 10 units to hot spot 0 at 20 a frame, straight (by MHS) and
    // turning from 350 to 10 degrees, in both builds; and a rise of 1e-12 at 1e38 a frame, whose
    // frames come to less than the smallest float. The turn ends on 10 degrees in its one
    // placement, never past it. "Motion" counts the ends that tell the script.
    struct Short {
        int type;
        bool second;
        float to[3];
        float speed;
        int notify;
    };
    const Short moves[] = {
        {AnimStraightMove, false, {60, 0, 50}, 20.0f, 1},
        {AnimStraightMove, true, {60, 0, 50}, 20.0f, 1},
        {AnimTurnMove, false, {60, 0, 50}, 20.0f, 1},
        {AnimTurnMove, true, {60, 0, 50}, 20.0f, 0},
        {AnimStraightMove, false, {50, 1e-12f, 50}, 1e38f, 1},
        {AnimStraightMove, true, {50, 1e-12f, 50}, 1e38f, 1},
    };
    AnimObj[0].followUp = -1;
    int ends = 0;
    for (const Short& move : moves) {
        SCOPED_TRACE(testing::Message() << move.type << (move.second ? " second" : " first")
                                        << " speed " << move.speed);
        SecondBuild = move.second;
        UpdateStateFlag = 0;
        const float from[3] = {50, 0, 50};
        if (move.type == AnimTurnMove) {
            ASSERT_EQ(StartLineTurnMove(0, from, move.to, move.speed, 350.0f, 10.0f, 4, 1), 0);
            MoverChannel[0].notify = move.notify;
        } else if (move.to[0] == 60.0f) {
            ASSERT_EQ(MoveToHotSpot(1, 0, 0, move.speed, 0), 0);
        } else {
            ASSERT_EQ(StartLineMove(0, from, move.to, move.speed), 0);
        }
        if (move.type == AnimTurnMove || move.to[0] != 60.0f) {
            ASSERT_EQ(AddAnimObject(0, MoverChannel[0].frameCount, move.type, 0), 1);
        }
        EXPECT_EQ(MoverChannel[0].frameCount, 0);
        for (int step = 0; step < 2; ++step) {
            EXPECT_EQ(AnimObj[0].type, move.type);
            EXPECT_EQ(UpdateStateFlag, 0);
            Frames(1);
            EXPECT_EQ(At(0).x, 50.0f);
            EXPECT_EQ(At(0).y, 0.0f);
            EXPECT_EQ(At(0).z, 50.0f);
            if (move.type == AnimTurnMove) {
                EXPECT_FLOAT_EQ(MoverChannel[0].turnHeading, 10.0f);
            }
        }
        EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
        EXPECT_EQ(UpdateStateFlag, 1);
        ends += move.notify;
        EXPECT_EQ(Var("motions"), ends);
        if (move.type == AnimStraightMove && move.to[0] == 60.0f) {
            EXPECT_EQ(HotSpots[0].object, 0);
        }
    }
    SecondBuild = false;

    // Nothing moves, and no hot spot changes, for a zero distance, a speed not above 0, a hot
    // spot or row that does not exist, or a jump angle that gives no flight time.
    const float here[3] = {60, 0, 50};
    EXPECT_EQ(StartLineMove(0, here, here, 3.0f), -1);
    EXPECT_EQ(MoveToHotSpot(1, 0, 2, 0.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(1, 0, 2, -4.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(1, 0, 3, 3.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(1, 0, -1, 3.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(1, 5, 2, 3.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(2, 0, 2, 0.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(2, 0, 2, 120.0f, 0), -1);
    EXPECT_EQ(MoveToHotSpot(2, 0, 2, std::nanf(""), 0), -1);
    EXPECT_EQ(MoveToHotSpot(9, 0, 2, 3.0f, 0), -1);
    EXPECT_EQ(HotSpots[0].object, 0);
    EXPECT_EQ(HotSpots[2].object, -1);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);

    // A character whose animation object lies at the camera's channel or beyond has no channel.
    MotionTable[0].animObj = CameraChannel;
    EXPECT_EQ(StartLineMove(0, here, HotSpots[2].position, 3.0f), -1);
}

TEST_F(Movers, JumpRisesAndFallsAlongItsArcAndHandsBack) {
    // 30 units at 45 degrees: a flight of about 1.37 time units, 9 frames.
    ASSERT_EQ(MoveToHotSpot(2, 0, 1, 45.0f, 0), 1);
    EXPECT_EQ(AnimObj[0].type, AnimJump);
    EXPECT_EQ(MoverChannel[0].frameCount, 9);
    EXPECT_EQ(MotionTable[0].applyMode, 1);
    float top = 0.0f, lastX = 0.0f, lastY = 0.0f;
    for (int frame = 0; frame <= 9; ++frame) {
        Frames(1);
        const platform::RmVector p = At(0);
        if (frame == 0) {
            EXPECT_FLOAT_EQ(p.x, 50.0f);
            EXPECT_FLOAT_EQ(p.y, 0.0f);
        } else {
            EXPECT_GT(p.x, lastX);
        }
        EXPECT_FLOAT_EQ(p.z, 50.0f);
        EXPECT_GE(p.y, 0.0f);
        top = std::max(top, p.y);
        lastX = p.x;
        lastY = p.y;
    }
    // The arc peaks near a quarter of the distance (tan 45 / 4) and comes down near the target.
    EXPECT_GT(top, 7.0f);
    EXPECT_LE(top, 7.51f);
    EXPECT_NEAR(lastX, 78.2f, 0.1f);
    EXPECT_LT(lastY, 2.0f);
    Frames(1);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(MotionTable[0].applyMode, 0);
    EXPECT_EQ(HotSpots[1].object, 0);
    EXPECT_EQ(Var("arrived"), 1);

    // A hop down whose flight is shorter than a frame takes one frame, and its arc, already
    // falling, lands exactly on the target's height.
    const platform::RmVector at = At(0);
    const float from[3] = {at.x, at.y, at.z}, to[3] = {at.x + 0.1f, at.y - 0.2f, at.z};
    ASSERT_EQ(StartJumpMove(0, from, to, 45.0f), 0);
    ASSERT_EQ(AddAnimObject(0, MoverChannel[0].frameCount, AnimJump, 0), 1);
    EXPECT_EQ(MoverChannel[0].frameCount, 1);
    Frames(2);
    EXPECT_NEAR(At(0).y, to[1], 1e-4);
    Frames(1);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
}

TEST_F(Movers, SecondBuildArrivesOnTheTarget) {
    SecondBuild = true;
    ASSERT_EQ(MoveToHotSpot(1, 0, 0, 3.0f, 0), 0);
    const std::vector<float> xs = XPerFrame(4);
    EXPECT_NEAR(xs[1], 50.0f + 10.0f / 3.0f, 1e-4);
    EXPECT_NEAR(xs[2], 50.0f + 20.0f / 3.0f, 1e-4);
    EXPECT_FLOAT_EQ(xs[3], 60.0f);
    Frames(1);
    ASSERT_EQ(AnimObj[0].type, AnimCharacterMotion);

    // The jump keeps its arc but crosses x and z in a straight line to the target.
    ASSERT_EQ(MoveToHotSpot(2, 0, 1, 45.0f, 0), 1);
    ASSERT_EQ(MoverChannel[0].frameCount, 7);  // 20 units from x = 60
    const std::vector<float> jump = XPerFrame(8);
    for (int frame = 0; frame <= 7; ++frame)
        EXPECT_NEAR(jump[frame], 60.0f + frame * (20.0f / 7.0f), 1e-4);

    // The straight and turning steps divide by the whole frames: 40 units at 7 a frame take 5
    // frames of 8 units, and the turn of 90 degrees spreads over all 5, not over the 2 asked.
    const float from[3] = {80, 0, 50}, to[3] = {120, 0, 50};
    Frames(1);
    const int channel = StartLineTurnMove(0, from, to, 7.0f, 0.0f, 90.0f, 2, 0);
    ASSERT_EQ(channel, 0);
    EXPECT_EQ(MoverChannel[0].frameCount, 5);
    EXPECT_FLOAT_EQ(MoverChannel[0].step[0], 8.0f);
    EXPECT_FLOAT_EQ(MoverChannel[0].turnStep, 18.0f);
}

TEST_F(Movers, RobotsDriveTheTurningMoverThroughTheirScene) {
    RobotScene* scene = MoverRobotScene();
    float t[3];
    ASSERT_TRUE(scene->PartTranslation(0, -1, t));  // the character's base frame
    EXPECT_FLOAT_EQ(t[0], 50.0f);
    ASSERT_TRUE(scene->PartTranslation(0, 0, t));  // its own frame, relative to the base
    EXPECT_FLOAT_EQ(t[0], 0.0f);
    EXPECT_FALSE(scene->PartTranslation(7, 0, t));

    const float from[3] = {50, 0, 50}, to[3] = {90, 0, 50};
    EXPECT_EQ(scene->StartTurnMove(0, from, to, 10.0f, 90.0f, 90.0f, 4, 1), 4);
    EXPECT_EQ(AnimObj[0].type, AnimTurnMove);
    Frames(2);
    EXPECT_FLOAT_EQ(At(0).x, 60.0f);
    ASSERT_TRUE(scene->PartTranslation(0, 0, t));
    EXPECT_FLOAT_EQ(t[0], 10.0f);

    // A stop hands the character back to its motion where it stands.
    scene->StopMove(0);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(AnimObj[0].row, 0);
    EXPECT_EQ(AnimObj[0].arg, -1);
    Frames(2);
    EXPECT_FLOAT_EQ(At(0).x, 60.0f);
    EXPECT_EQ(scene->StartTurnMove(0, to, to, 10.0f, 0.0f, 0.0f, 4, 1), -1);
}

class NoWalker : public SceneTest {};

TEST_F(NoWalker, TurningMoveFollowsTheFloorRisesOnPlatformsAndTurnsTheShorterWay) {
    // A platform of radius 20 (in |dx| + |dz|) and height 5 at x = 100; the walker stands 2
    // units above its floor.
    ASSERT_EQ(Run("state Start;\n"
                  "LoadAnimObj \"walker.x\" 60 0 50 1 2;\n"
                  "LHS 4 20 100 0 50 0 5 0 0 0;\n"
                  "LHS 1 5 140 0 50;\n"
                  "exit;\n"),
              1);
    ASSERT_FLOAT_EQ(AnimObj[0].heightOffset, 2.0f);
    const float from[3] = {60, 2, 50}, to[3] = {140, 2, 50};
    const int channel = StartLineTurnMove(0, from, to, 10.0f, 350.0f, 10.0f, 4, 1);
    ASSERT_EQ(channel, 0);
    ASSERT_EQ(AddAnimObject(channel, MoverChannel[channel].frameCount, AnimTurnMove, 0), 1);
    EXPECT_FLOAT_EQ(MoverChannel[0].turnStep, 5.0f);  // +20 degrees over 4 frames, through 360
    const float expectedY[9] = {2, 2, 7, 7, 7, 7, 7, 2, 2};
    const float expectedHeading[9] = {355, 360, 5, 10, 10, 10, 10, 10, 10};
    for (int frame = 0; frame <= 8; ++frame) {
        Frames(1);
        EXPECT_FLOAT_EQ(At(0).x, 60.0f + 10.0f * frame);
        EXPECT_FLOAT_EQ(At(0).y, expectedY[frame]) << frame;
        EXPECT_FLOAT_EQ(MoverChannel[0].turnHeading, expectedHeading[frame]) << frame;
    }
    const float half = 10.0f * 0.01745f / 2.0f;
    EXPECT_NEAR(MotionTable[0].extraOrientation[0], std::cos(half), 1e-6);
    EXPECT_NEAR(MotionTable[0].extraOrientation[2], std::sin(half), 1e-6);
    Frames(1);
    EXPECT_EQ(AnimObj[0].type, AnimCharacterMotion);
    EXPECT_EQ(UpdateStateFlag, 1);

    // From 10 to 350 the turn goes back by 20 degrees.
    ASSERT_EQ(StartLineTurnMove(0, to, from, 10.0f, 10.0f, 350.0f, 4, 0), 0);
    EXPECT_FLOAT_EQ(MoverChannel[0].turnStep, -5.0f);
    // The camera has no turning move.
    EXPECT_EQ(StartLineTurnMove(-1, to, from, 10.0f, 10.0f, 350.0f, 4, 0), -1);
}

TEST_F(NoWalker, FloorsUnderAPointAreLevelSlopedOrKept) {
    float floor = 123.0f;
    EXPECT_FLOAT_EQ(KeepOnFloor(50, 50, floor), 0.0f);
    EXPECT_FLOAT_EQ(KeepOnFloor(50, 150, floor), -71.7f);
    EXPECT_NEAR(KeepOnFloor(50, 250, floor), -85.85f, 0.01f);  // halfway down the slope
    const float slope = floor;
    EXPECT_FLOAT_EQ(KeepOnFloor(900, 900, floor), slope);  // no cube there: the last floor stays
}

TEST_F(NoWalker, CameraMoveHasItsOwnEntryAndEndsWithHotSpot) {
    ASSERT_EQ(Run("int hits;\n"
                  "int spot;\n"
                  "int object;\n"
                  "state Start;\n"
                  "LHS 1 5 50 40 90;\n"
                  "LHS 1 5 80 40 30;\n"
                  "MoveCamera 3 1 10 0;\n"
                  "exit;\n"
                  "state HotSpot;\n"
                  "hits = (hits + 1);\n"
                  "spot = ReturnHotSpot 1;\n"
                  "object = ReturnHotSpot 0;\n"
                  "exit;\n"),
              1);
    ASSERT_EQ(AnimObjCount, 1);
    EXPECT_EQ(AnimObj[0].type, AnimStraightMove);
    EXPECT_EQ(AnimObj[0].arg, CameraChannel);
    const float expected[4] = {50, 60, 70, 80};
    for (float x : expected) {
        Frames(1);
        EXPECT_FLOAT_EQ(Eye().x, x);
        EXPECT_FLOAT_EQ(Eye().y, 40.0f);
        EXPECT_EQ(CameraMoverActive, 1);
    }
    EXPECT_EQ(PlayerX, 80 * 65536);
    EXPECT_EQ(Var("hits"), 0);
    Frames(1);
    EXPECT_EQ(Var("hits"), 1);
    EXPECT_EQ(Var("spot"), 1);
    EXPECT_EQ(Var("object"), 1);
    EXPECT_EQ(HotSpots[1].object, -99);
    EXPECT_EQ(AnimObj[0].type, AnimFree);
    EXPECT_EQ(CameraMoverActive, 0);
    EXPECT_EQ(UpdateStateFlag, 1);
    EXPECT_EQ(MoverChannelRow(CameraChannel), -1);

    // The next camera move takes its entry again; the jump arrives by its arc.
    ASSERT_EQ(MoveToHotSpot(5, -1, 0, 45.0f, 0), 0);
    EXPECT_EQ(AnimObjCount, 1);
    EXPECT_EQ(AnimObj[0].type, AnimJump);
    Frames(MoverChannel[CameraChannel].frameCount + 2);
    EXPECT_EQ(Var("hits"), 2);
    EXPECT_EQ(Var("spot"), 0);
    EXPECT_EQ(CameraMoverActive, 0);

    // A level reset in the middle of a camera move gives the eye its floors back.
    ASSERT_EQ(MoveToHotSpot(4, -1, 1, 10.0f, 0), 1);
    Frames(1);
    ASSERT_EQ(CameraMoverActive, 1);
    ResetAnimObjects(0);
    EXPECT_EQ(CameraMoverActive, 0);
}

}  // namespace
