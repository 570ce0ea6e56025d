// The yard played in the game: its robots are characters of the scene animation, carried by the
// turning mover, and the level reset can take them away in the middle of a move.
#include <cmath>
#include <filesystem>
#include <optional>

#include "anim/anim_objects.h"
#include "planner/robot_bodies.h"
#include "planner/robot_control.h"
#include "planner/robot_table.h"
#include "platform/win_constants.h"
#include "script/events.h"
#include "shell/robot_keys.h"
#include "shell/shutdown.h"
#include "support/scratch_folder.h"
#include "support/shell_fixture.h"
#include "world/player.h"

namespace {

namespace fs = std::filesystem;

// The demo's files in a folder of the test's own, with no script but the yard's, so that the
// yard is the script the game starts with and the planner's dumps stay out of the demo.
class YardGame : public ShellTest {
protected:
    void SetUp() override {
        // Made first, so that the game's own run folder is entered and left inside it.
        scratch_.emplace("robot_game");
        const fs::path dir = scratch_->Path();
        ShellTest::SetUp();
        for (const auto& entry : fs::directory_iterator(DUSK_DEMO_DATA)) {
            const fs::path name = entry.path().filename();
            if (name.extension() != ".scp" || name == "yard.scp")
                fs::copy(entry.path(), dir / name);
        }
        fs::current_path(dir);
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    }
    void TearDown() override {
        ShellTest::TearDown();
        IdleRobots();
        scratch_.reset();
    }

    // The end of the game update: the animation objects, then the planner's cycle.
    static void Pass() {
        UpdateAnimObjects();
        RobotPlannerTick();
    }
    static float Distance(BodyPosition a, BodyPosition b) {
        return std::hypot(a.x - b.x, a.z - b.z);
    }

    std::optional<support::ScratchFolder> scratch_;
};

TEST_F(YardGame, ClicksSendTheRobotsAcrossTheYardAroundEachOtherAndThePlayer) {
    ASSERT_EQ(AnimObjCount, 2);
    EXPECT_NEAR(GetBodyPosition(0).x, 30.0f, 1e-3);
    EXPECT_NEAR(GetBodyPosition(1).z, 170.0f, 1e-3);
    // Each click's goals: across, to the middle and a side corner, home.
    const BodyPosition goals[3][2] = {
        {{170, 170}, {30, 30}}, {{100, 100}, {170, 30}}, {{30, 30}, {170, 170}}};
    for (const auto& goal : goals) {
        ASSERT_EQ(RaiseEvent(), 1);
        float closest = 1e9f, closestToPlayer = 1e9f;
        int passes = 0;
        for (; passes < 3000 && !(RobotTable[0].arrived && RobotTable[1].arrived); ++passes) {
            Pass();
            closest = std::min(closest, Distance(GetBodyPosition(0), GetBodyPosition(1)));
            for (int robot = 0; robot < 2; ++robot)
                closestToPlayer = std::min(closestToPlayer, Distance(GetBodyPosition(robot),
                                                                     GetBodyPosition(PLAYER_BODY)));
        }
        ASSERT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived) << passes;
        EXPECT_LT(Distance(GetBodyPosition(0), goal[0]), 2.0f);
        EXPECT_LT(Distance(GetBodyPosition(1), goal[1]), 2.0f);
        EXPECT_GE(closest, 2 * RobotTable[0].radius);
        EXPECT_GE(closestToPlayer, 2 * RobotTable[0].radius);
        // Each robot's character went back to its own motion at the end.
        EXPECT_EQ(AnimObj[0].type, 6);
        EXPECT_EQ(AnimObj[1].type, 6);
    }
    EXPECT_TRUE(fs::exists("Blank Map"));
    EXPECT_TRUE(fs::exists("Planned Path"));
}

TEST_F(YardGame, TheRobotsOwnKeysSendOneToAHotSpotAtTheScriptsPace) {
    // F, H, 4, Space: the rover sets off for the middle at once, though the robot stands on the
    // far side of it, and walks there step by step.
    const BodyPosition middle{100.0f, 100.0f};
    for (int key : {int{'F'}, int{'H'}, int{'4'}, int{platform::VK_SPACE}})
        ASSERT_EQ(HandleRobotDebugKey(key), 1);
    const float before = Distance(GetBodyPosition(1), middle);
    float longestStep = 0.0f;
    for (int i = 0; i < 30; ++i) {
        const BodyPosition seen = GetBodyPosition(1);
        Pass();
        longestStep = std::max(longestStep, Distance(seen, GetBodyPosition(1)));
    }
    EXPECT_LT(Distance(GetBodyPosition(1), middle), before - 10.0f);
    EXPECT_LT(longestStep, 3.0f);
    int passes = 0;
    for (; passes < 3000 && !RobotTable[1].arrived; ++passes) Pass();
    EXPECT_LT(Distance(GetBodyPosition(1), middle), 2.0f) << passes;
}

TEST_F(YardGame, TheLevelResetInTheMiddleOfAMoveLeavesTheRobotsStanding) {
    ASSERT_EQ(RaiseEvent(), 1);
    for (int i = 0; i < 40; ++i) Pass();
    ASSERT_GT(RobotTable[0].motionFrames, 0);
    const BodyPosition seen = GetBodyPosition(0);
    ResetLevel();
    for (int i = 0; i < 10; ++i) Pass();
    EXPECT_EQ(RobotTable[0].arrived, 1);
    EXPECT_EQ(RobotTable[1].arrived, 1);
    // A goal given now plans on the grid that stays, but nothing is there to drive.
    ASSERT_EQ(SendRobotTo(0, 100.0f, 100.0f), 1);
    for (int i = 0; i < 10; ++i) Pass();
    EXPECT_EQ(RobotTable[0].arrived, 1);
    EXPECT_EQ(GetBodyPosition(0).x, seen.x);
}

}  // namespace
