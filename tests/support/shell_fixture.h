// Runs the game's start-up on the demo's files, headless, with a fake clock; every test starts
// from a fresh window system and ends with everything released and the demo folder untouched.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/report_error.h"
#include "planner/robot_table.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/overlays.h"
#include "shell/shutdown.h"
#include "support/process_start.h"
#include "support/recorded_boxes.h"
#include "world/cube.h"
#include "world/visible_rooms.h"

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        support::FreshHeadlessStart();
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previousFolder = here;
        // The game runs in a scratch folder of links to the demo's files, so that what it
        // writes (the planner's dumps) stays out of the demo folder.
        demoBefore = Listing(DUSK_DEMO_DATA);
        runFolder = std::filesystem::temp_directory_path() /
                    ("dusk_shell_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(runFolder);
        support::LinkDemoFiles(DUSK_DEMO_DATA, runFolder);
        ASSERT_EQ(chdir(runFolder.c_str()), 0);
    }

    void TearDown() override {
        platform::ClearFaults();
        EndProcess();
        platform::ResetWindows();
        MainWindow = nullptr;
        platform::UseFakeClock(false);
        FullScreen = WasFullScreen = 0;
        ASSERT_EQ(chdir(previousFolder.c_str()), 0);
        std::filesystem::remove_all(runFolder);
        EXPECT_EQ(Listing(DUSK_DEMO_DATA), demoBefore) << "the demo folder was written";
    }

    // The shutdown, and what it leaves to the end of the process: the level's sounds, pictures
    // and scene, which the next start-up in this process must not find.
    static void EndProcess() {
        ResetLevel();
        ShutdownApp();
        FreeOverlayImages(0);
    }

    // The game started again after a start in this test: the last start's level, objects and
    // windows go first.
    static void Restart() {
        EndProcess();
        platform::ResetWindows();
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
        ASSERT_EQ(QuitDone, 0);
    }

    // The objects every display mode makes, and the scene and camera frames, in release order.
    static std::vector<const void*> ModeObjects() {
        return {::RMViewport,  ::RMDevice,  ::RMWinDevice, ::PaletteTable[0], ::Clipper,
                ::D3DViewport, ::D3DDevice, ::ZBuffer,     ::BackBuffer,      ::FrontBuffer,
                ::D3DObject,   ::RMObject,  ::DDrawObject, ::SceneFrame,      ::CameraFrame};
    }

    // The texts of the boxes shown so far.
    static std::vector<std::string> BoxTexts() { return support::BoxTexts(); }

    // Every file of a folder with its size and modification time.
    static std::map<std::string, std::string> Listing(const std::filesystem::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            struct stat info {};
            ::lstat(entry.path().c_str(), &info);
            files[entry.path().filename().string()] = std::to_string(info.st_size) + "@" +
                                                      std::to_string(info.st_mtim.tv_sec) + "." +
                                                      std::to_string(info.st_mtim.tv_nsec);
        }
        return files;
    }

    std::string previousFolder;
    std::filesystem::path runFolder;
    std::map<std::string, std::string> demoBefore;
};
