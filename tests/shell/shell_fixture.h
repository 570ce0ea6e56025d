// Runs the game's start-up in the demo folder, headless, with a fake clock; every test starts
// from a fresh window system and ends with everything released.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/report_error.h"
#include "world/cube.h"

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        platform::ClearFaults();
        platform::ResetWindows();
        platform::ResetInput();
        platform::UseFakeClock(true, 1000);
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previousFolder = here;
        ASSERT_EQ(chdir(DUSK_DEMO_DATA), 0);
    }

    void TearDown() override {
        platform::ClearFaults();
        FreeLevel();
        ShutdownApp();
        platform::ResetWindows();
        MainWindow = nullptr;
        platform::UseFakeClock(false);
        FullScreen = WasFullScreen = 0;
        ASSERT_EQ(chdir(previousFolder.c_str()), 0);
    }

    // The objects every display mode makes, and the scene and camera frames, in release order.
    static std::vector<const void*> ModeObjects() {
        return {::RMViewport, ::RMDevice, ::RMWinDevice, ::PaletteTable[0], ::Clipper,
                ::D3DViewport, ::D3DDevice, ::ZBuffer, ::BackBuffer, ::FrontBuffer,
                ::D3DObject, ::RMObject, ::DDrawObject, ::SceneFrame, ::CameraFrame};
    }

    // The texts of the boxes shown so far.
    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const auto& box : platform::RecordedBoxes()) texts.push_back(box.text);
        return texts;
    }

    std::string previousFolder;
};
