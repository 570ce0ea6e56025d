// The shipped demo: every script compiles and runs its start on a fresh level, every level, cube,
// motion, path and planner file that they name loads, and nothing shows a message box. Every
// content file of the folder is named by a script or a level, so none goes unchecked.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "anim/anim_objects.h"
#include "anim/motion_table.h"
#include "anim/paths.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/states.h"
#include "shell/sound.h"
#include "shell_fixture.h"
#include "world/map_object.h"
#include "world/texture_table.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::vector<std::string> FilesEndingIn(const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(DUSK_DEMO_DATA)) {
        if (Lower(entry.path().extension().string()) == extension) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadText(const std::string& name) {
    std::ifstream in(std::string(DUSK_DEMO_DATA) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return Lower(text.str());
}

// What each script's start builds: rooms, motion rows, paths, and the map objects by id.
struct Expected {
    const char* script;
    int rooms;
    int motionRows;
    int paths;
    std::vector<int> objectIds;
};

}  // namespace

class DemoContent : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    }
    // The level reset first: a later start-up in this process takes over no animation objects.
    void TearDown() override {
        ResetLevel();
        ShellTest::TearDown();
    }
};

TEST_F(DemoContent, EveryScriptStartsOnItsOwnLevelWithoutComplaint) {
    const std::vector<Expected> expected = {
        {"demo.scp", 4, 3, 0, {0, 1}},
        {"springrm.scp", 2, 5, 1, {0, 1, 2, 4, 5, 6, 7, 11}},
        {"ferrowrm.scp", 4, 6, 0, {0, 1}},
        {"yard.scp", 4, 6, 0, {0, 1}},
    };
    std::set<std::string> covered;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.script);
        covered.insert(e.script);
        ResetLevel();
        LoadScript(e.script);
        EXPECT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
        EXPECT_GT(StateCount, 2);
        EXPECT_EQ(RoomCount, e.rooms);
        EXPECT_EQ(MotionCount, e.motionRows);
        EXPECT_EQ(PathCount, e.paths);
        for (int id : e.objectIds) EXPECT_NE(MapObjectTable[id], nullptr) << "object " << id;
        if (SoundDevice) {
            EXPECT_EQ(SoundFileNames[0].empty(), ReadText(e.script).find("loadsound") == std::string::npos);
        }
        platform::ClearRecordedBoxes();
    }
    // Every script of the folder is one of them.
    for (const std::string& name : FilesEndingIn(".scp")) EXPECT_TRUE(covered.count(name)) << name;
}

TEST_F(DemoContent, TheSpringCourtsSwapsFindTheirFrameSets) {
    ResetLevel();
    LoadScript("springrm.scp");
    ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    // The fixed frame sets of the sprite and deco swaps lie inside the court's texture table.
    EXPECT_GE(TextureCount, 204);
    for (int i = 57; i <= 203; ++i) EXPECT_NE(TextureTable[i], nullptr) << i;
}

TEST(DemoFiles, EveryContentFileIsNamedByAScriptOrALevel) {
    std::string named;
    for (const char* extension : {".scp", ".lvl", ".cfg"})
        for (const std::string& name : FilesEndingIn(extension)) named += ReadText(name);
    for (const char* extension : {".lvl", ".cub", ".mot", ".ani", ".pth", ".cfg", ".map", ".wav"})
        for (const std::string& name : FilesEndingIn(extension))
            EXPECT_NE(named.find(Lower(name)), std::string::npos) << name << " is named nowhere";
}
