// The game started headless, then moved onto the tests' cube-world level in a scratch folder
// that also holds the scripts a test writes; input goes in as injected keys and mouse events
// and is taken from the queue and dispatched as the main loop does.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/window.h"
#include "script/events.h"
#include "script/limits.h"
#include "script/variables.h"
#include "shell/app.h"
#include "shell/input.h"
#include "shell/shutdown.h"
#include "support/scratch_folder.h"
#include "support/script_vars.h"
#include "support/shell_fixture.h"
#include "world/cube.h"
#include "world/level_reader.h"
#include "world/player.h"
#include "world/visible_rooms.h"

class GameInputTest : public ShellTest {
protected:
    void SetUp() override {
        // Made first, so that the game's own run folder is entered and left inside it.
        scratch.emplace("dusk_input");
        ShellTest::SetUp();
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ResetLevel();
        // The switches that live for the whole run start as at load.
        ShowFrameRate = ShowInfo = 0;
        ShowFaces = ShowObjects = 1;
        RoomScriptToggle = 0;
        folder = scratch->Path();
        for (const auto& entry : std::filesystem::directory_iterator(DUSK_TEST_DATA "/cubeworld")) {
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
        }
        std::filesystem::copy_file(DUSK_GEN_DATA "/cubeworld.bmp", folder / "cubeworld.bmp");
        // A display-mode change reads the display palette again.
        std::filesystem::copy_file(DUSK_DEMO_DATA "/Palette.bmp", folder / "Palette.bmp");
        std::filesystem::current_path(folder);
        ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
        MoveMouse(320, 240);
        platform::ClearRecordedBoxes();
    }
    void TearDown() override {
        ShellTest::TearDown();
        scratch.reset();
    }

    void Write(const std::string& name, const std::string& text) const {
        scratch->Write(name, text);
    }
    // Loads a script the way the game does: compiled, then run from its start.
    int Load(const std::string& text) const {
        Write("input.scp", text);
        return LoadScript("input.scp");
    }
    static int Var(const char* name) { return support::VarValue(name); }

    // Takes every queued message and dispatches it to the window procedure.
    static void Dispatch() {
        platform::Msg msg;
        while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
            if (msg.message == platform::WM_QUIT) {
                return;
            }
            platform::TranslateMessage(&msg);
            platform::DispatchMessage(&msg);
        }
    }
    // A key pressed and released, each message dispatched.
    static void Press(SDL_Scancode key, uint16_t modifiers = KMOD_NONE) {
        platform::InjectKey(key, true, modifiers);
        Dispatch();
        platform::InjectKey(key, false, modifiers);
        Dispatch();
    }
    static void MoveMouse(int x, int y) {
        platform::InjectMouseMove(x, y);
        Dispatch();
    }
    static void Click(uint8_t button, int x, int y) {
        platform::InjectMouseButton(button, true, x, y);
        platform::InjectMouseButton(button, false, x, y);
        Dispatch();
    }

    // Puts the player at (x, z) facing `heading`, the eye on the floor.
    static void StandAt(double x, double z, Angle16 heading) {
        PlayerX = static_cast<Fixed16>(x * 65536);
        PlayerZ = static_cast<Fixed16>(z * 65536);
        PlayerHeading = heading;
        CurrentCube = FindCubeAt(PlayerX, PlayerZ);
        ASSERT_NE(CurrentCube, nullptr);
        PlayerY = CurrentCube->Bottom(0).y + EyeHeight;
    }

    std::optional<support::ScratchFolder> scratch;
    std::filesystem::path folder;
};
