#include <gtest/gtest.h>

#include <string>

#include "input_fixture.h"
#include "planner/plan_config.h"
#include "planner/robot_control.h"
#include "planner/robot_table.h"
#include "shell/input.h"
#include "shell/robot_keys.h"
#include "world/visible_rooms.h"

using namespace platform;

namespace {

class RobotKeys : public GameInputTest {
protected:
    void SetUp() override {
        GameInputTest::SetUp();
        // A clear yard of 10 x 10 cells of 10.0 from the origin.
        std::string map = "10 10\n0 0\n10.0\n";
        for (int r = 0; r < 10; ++r) {
            map += "0 0 0 0 0 0 0 0 0 0\n";
        }
        Write("yard.map", map);
        Write("yard.cfg",
              "int DEBUG_KEYS = 1;\n"
              "double meters_per_cell = 1.0;\n"
              "char map_file_name[20] = \"yard.map\";\n");
        ASSERT_EQ(LoadPlanningMap("yard.cfg"), 1);
        DebugEntryState = DebugIdle;
        DebugTextLength = 0;
    }
    void TearDown() override {
        IdleRobots();
        PlanSettings.debugKeys = 0;
        DebugEntryState = DebugIdle;
        GameInputTest::TearDown();
    }

    static void Type(std::initializer_list<SDL_Scancode> keys) {
        for (SDL_Scancode key : keys) {
            Press(key);
        }
    }
};

}  // namespace

TEST_F(RobotKeys, APointTypedAfterTheRobotsLetterSendsItThere) {
    Type({SDL_SCANCODE_F, SDL_SCANCODE_4, SDL_SCANCODE_2, SDL_SCANCODE_PERIOD, SDL_SCANCODE_5,
          SDL_SCANCODE_SPACE});
    EXPECT_EQ(DebugEntryState, DebugSecondNumber);
    EXPECT_EQ(ShowFrameRate, 0);  // the entry took the Space
    Type({SDL_SCANCODE_3, SDL_SCANCODE_0, SDL_SCANCODE_SPACE});
    EXPECT_EQ(DebugEntryState, DebugIdle);
    EXPECT_EQ(RobotTable[1].goalX, 42.5f);
    EXPECT_EQ(RobotTable[1].goalZ, 30.0f);
    EXPECT_EQ(RobotTable[1].actor, 5);

    // A key that is no part of a number ends the entry and goes on to its own binding.
    Type({SDL_SCANCODE_O, SDL_SCANCODE_1, SDL_SCANCODE_F3});
    EXPECT_EQ(DebugEntryState, DebugIdle);
    EXPECT_EQ(ShowObjects, 0);
    Press(SDL_SCANCODE_F3);

    // A hot-spot number: the entry ends with Space whether or not the hot spot exists.
    Type({SDL_SCANCODE_O, SDL_SCANCODE_H, SDL_SCANCODE_2, SDL_SCANCODE_SPACE});
    EXPECT_EQ(DebugEntryState, DebugIdle);
    EXPECT_STREQ(DebugTextX, "2");
    EXPECT_EQ(DebugRobot, 0);
}

TEST_F(RobotKeys, LongNumbersStopAtTheirBufferAndTheKeysSleepWhenSwitchedOff) {
    Press(SDL_SCANCODE_O);
    for (int i = 0; i < 40; ++i) {
        Press(SDL_SCANCODE_7);
    }
    EXPECT_EQ(DebugTextLength, DebugTextSize - 1);
    Press(SDL_SCANCODE_SPACE);
    EXPECT_EQ(std::string(DebugTextX), std::string(DebugTextSize - 1, '7'));
    Press(SDL_SCANCODE_Q);  // ends the entry
    EXPECT_EQ(DebugEntryState, DebugIdle);

    PlanSettings.debugKeys = 0;
    EXPECT_EQ(HandleRobotDebugKey('F'), 0);
    EXPECT_EQ(DebugEntryState, DebugIdle);
    Press(SDL_SCANCODE_SPACE);
    EXPECT_EQ(ShowFrameRate, 1);
}
