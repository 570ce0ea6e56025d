// The command dispatcher: the table in both builds, the arguments it builds from a statement,
// and the commands whose back-ends act on the world and the palette file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "anim/special_anims.h"
#include "base/build_variant.h"
#include "bindings/commands.h"
#include "script/tokenizer.h"
#include "shell/bmp_surface.h"
#include "shell/sound.h"
#include "support/long_wave.h"
#include "support/script_fixture.h"
#include "support/test_level.h"
#include "world/cube.h"
#include "world/room.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

class Commands : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        RunMode = RunModeRun;
        savedBuild_ = SecondBuild;
    }
    void TearDown() override {
        SecondBuild = savedBuild_;
        ScriptTest::TearDown();
    }
    // Tokenizes and parses one statement line while running; the parsed statement is in Parsed.
    static void Parse(const std::string& line) {
        uint8_t buffer[StatementBufferSize] = {};
        ParenDropFlag = 0;
        ASSERT_EQ(ScanTokens(line.c_str(), buffer, sizeof buffer), ScanComplete) << line;
        ParseStatement(buffer, sizeof buffer);
    }
    static std::vector<int> Ints(int k, int n, int missing) {
        std::vector<int> out(static_cast<size_t>(n));
        IntsFrom(Parsed, k, out.data(), n, missing);
        return out;
    }
    bool savedBuild_ = false;
};

TEST_F(Commands, TheTableInBothBuilds) {
    SecondBuild = false;
    for (int i = 0; i < CommandCount; ++i) EXPECT_EQ(FindCommand(CommandTable[i]), i);
    EXPECT_EQ(FindCommand("DelPathMotion"), 10);
    EXPECT_EQ(FindCommand("StopSound"), -1);
    EXPECT_EQ(FindCommand("loadmap"), -1);  // exact, with case
    EXPECT_EQ(FindCommand("SetCursor"), -1);

    SecondBuild = true;
    EXPECT_EQ(FindCommand("StopSound"), 10);
    EXPECT_EQ(FindCommand("DelPathMotion"), -1);
    EXPECT_EQ(FindCommand("LoadAnimObj"), 0);
    EXPECT_EQ(FindCommand("MoveLight"), 24);
}

TEST_F(Commands, CommandTenRunsOnlyUnderItsBuildsName) {
    SecondBuild = false;
    Parse("StopSound 3;");
    EXPECT_EQ(ExecCommand(Parsed), 0);
    Parse("DelPathMotion 1 2;");
    EXPECT_EQ(ExecCommand(Parsed), 1);
    SecondBuild = true;
    Parse("StopSound 3;");
    EXPECT_EQ(ExecCommand(Parsed), 1);
    Parse("DelPathMotion 1 2;");
    EXPECT_EQ(ExecCommand(Parsed), 0);
    Parse("NoSuchCommand 1;");
    EXPECT_EQ(ExecCommand(Parsed), 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(Commands, ArraysReadOnlyTheStatementsOwnNumbers) {
    // A statement with eight numbers, then one with three: the five places after them are
    // missing (-1 for the sound-frame arrays, 0 elsewhere), not the numbers before.
    Parse("SetSoundFrame 1 2 3 4 5 6 7 8;");
    EXPECT_THAT(Ints(0, 8, -1), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
    Parse("SetSoundFrame 10 20.7 -1;");
    EXPECT_THAT(Ints(0, 8, -1), ElementsAre(10, 20, -1, -1, -1, -1, -1, -1));
    float light[3];
    Parse("AnimLight 2 30 0.5;");
    NumbersFrom(Parsed, 2, light, 3);
    EXPECT_THAT(light, ElementsAre(0.5f, 0.0f, 0.0f));
    Parse("MoveLight 1 0 1 0 0.25 -1 2;");
    NumbersFrom(Parsed, 4, light, 3);
    EXPECT_THAT(light, ElementsAre(0.25f, -1.0f, 2.0f));
}

TEST_F(Commands, SpecialAnimTakesItsCountOfItemsAndNoMoreThanSixteen) {
    int items[SpecialAnimMaxItems];
    Parse("SpecialAnim 1 2 5 6 7 8;");
    EXPECT_EQ(SpecialAnimItems(Parsed, items), 2);
    EXPECT_THAT(items, ElementsAreArray({5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    std::string many = "SpecialAnim 1 40";
    for (int i = 0; i < 30; ++i) many += " " + std::to_string(100 + i);
    Parse(many + ";");
    EXPECT_EQ(SpecialAnimItems(Parsed, items), 16);
    EXPECT_EQ(items[0], 100);
    EXPECT_EQ(items[15], 115);

    Parse("SpecialAnim 1 3 44;");  // fewer items than the count: the rest read 0
    EXPECT_EQ(SpecialAnimItems(Parsed, items), 3);
    EXPECT_THAT(std::vector<int>(items, items + 3), ElementsAre(44, 0, 0));

    Parse("SpecialAnim 1 -5 9;");
    EXPECT_EQ(SpecialAnimItems(Parsed, items), 0);
    EXPECT_EQ(items[0], 0);
}

TEST_F(Commands, LoadPaletteKeepsFifteenCharactersOfTheName) {
    ASSERT_EQ(Load("state Start;\n"
                   "LoadPalette(\"sunset_over_the_bay.bmp\");\n"
                   "exit;\n"),
              1);
    EXPECT_STREQ(PaletteFileName, "sunset_over_the");
    EXPECT_EQ(LoadPalette("Palette.bmp"), 1);
    EXPECT_STREQ(PaletteFileName, "Palette.bmp");
}

TEST_F(Commands, LoadMapReadsTheNamedLevel) {
    std::string script = Write("t.scp",
                               "state Start;\n"
                               "LoadMap \"cubeworld.lvl\";\n"
                               "exit;\n");
    testworld::TestLevelFolder level;
    ASSERT_EQ(LoadScript(script.c_str()), 1);
    EXPECT_EQ(RoomCount, 3);
    EXPECT_GT(CubeCount, 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

class SoundCommands : public Commands {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }
    void SetUp() override {
        Commands::SetUp();
        if (!SoundDevice) InitSound(nullptr);
        ASSERT_NE(SoundDevice, nullptr);
        FreeSounds(0);
        for (const char* name : {"a.wav", "b.wav"}) testwave::WriteTenSecondWave(dir_ / name);
    }
    void TearDown() override {
        FreeSounds(0);
        Commands::TearDown();
    }
    static uint32_t Status(int slot) {
        uint32_t status = 0;
        SoundSlots[slot]->GetStatus(&status);
        return status;
    }
    void Run(bool secondBuild) {
        SecondBuild = secondBuild;
        ASSERT_EQ(Load("state Start;\n"
                       "LoadSound(\"a.wav\");\n"
                       "LoadSound \"b.wav\";\n"
                       "PlaySound 0 1;\n"
                       "PlaySound 1;\n"  // a missing loop number plays once
                       "StopSound 1;\n"
                       "DelPathMotion 1 0;\n"
                       "exit;\n"),
                  1);
        ASSERT_EQ(SoundCount, 2);
    }
};

TEST_F(SoundCommands, FirstBuildHasNoStopSound) {
    Run(false);
    EXPECT_EQ(Status(0), platform::DSBSTATUS_PLAYING | platform::DSBSTATUS_LOOPING);
    EXPECT_EQ(Status(1), platform::DSBSTATUS_PLAYING);
}

TEST_F(SoundCommands, SecondBuildStopsTheSlotWithCommandTen) {
    Run(true);
    EXPECT_EQ(Status(0), platform::DSBSTATUS_PLAYING | platform::DSBSTATUS_LOOPING);
    EXPECT_EQ(Status(1), 0u);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

}  // namespace
