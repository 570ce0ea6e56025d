#include <gtest/gtest.h>

#include "base/build_variant.h"
#include "input_fixture.h"
#include "platform/display.h"
#include "platform/faults.h"
#include "platform/input_injection.h"
#include "platform/result_codes.h"
#include "platform/rm_viewport.h"
#include "platform/win_constants.h"
#include "shell/frame.h"
#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/shutdown.h"
#include "world/camera_height.h"
#include "world/map_object.h"
#include "world/movement.h"
#include "world/player.h"
#include "world/visible_rooms.h"

using namespace platform;

namespace {

class GameKeys : public GameInputTest {
protected:
    // Holds a key through one keyboard poll.
    static int PollWith(SDL_Scancode key, uint16_t modifiers = KMOD_NONE) {
        InjectKey(key, true, modifiers);
        const int result = PollKeyboard();
        InjectKey(key, false, modifiers);
        ResetInput();
        return result;
    }
};

}  // namespace

TEST_F(GameKeys, PolledKeysWalkTurnAndMoveTheEyeFirstMatchOnly) {
    StandAt(150, 50, 0x4000);
    const Fixed16 x = PlayerX;
    EXPECT_EQ(PollWith(SDL_SCANCODE_UP), 0);
    EXPECT_EQ(PlayerX, x + SinOf(0x4000) * StepScale);

    // Up and Left together: only the step forward happens.
    InjectKey(SDL_SCANCODE_UP, true);
    InjectKey(SDL_SCANCODE_LEFT, true);
    PollKeyboard();
    ResetInput();
    EXPECT_EQ(PlayerHeading, 0x4000);
    EXPECT_EQ(PlayerX, x + 2 * SinOf(0x4000) * StepScale);

    PollWith(SDL_SCANCODE_DOWN);
    EXPECT_EQ(PlayerX, x + SinOf(0x4000) * StepScale);
    PollWith(SDL_SCANCODE_LEFT);
    EXPECT_EQ(PlayerHeading, 0x4000 - TurnStep);
    PollWith(SDL_SCANCODE_KP_6, KMOD_NUM);
    EXPECT_EQ(PlayerHeading, 0x4000);

    const Fixed16 eye = EyeHeight, y = PlayerY;
    PollWith(SDL_SCANCODE_KP_PLUS);
    EXPECT_EQ(EyeHeight, eye + 2 * FixedOne);
    EXPECT_EQ(PlayerY, y + 2 * FixedOne);
    PollWith(SDL_SCANCODE_KP_MINUS);
    PollWith(SDL_SCANCODE_KP_MINUS);
    EXPECT_EQ(PlayerY, y - 2 * FixedOne);

    PollWith(SDL_SCANCODE_INSERT);
    PollWith(SDL_SCANCODE_INSERT);
    EXPECT_EQ(HorizonOffset, -20);
    PollWith(SDL_SCANCODE_DELETE);
    EXPECT_EQ(HorizonOffset, -10);

    // Return resets the view: the horizon centred, the eye at 36.0 (66.0 in the second build).
    PollWith(SDL_SCANCODE_RETURN);
    EXPECT_EQ(HorizonOffset, 0);
    EXPECT_EQ(EyeHeight, 36 * FixedOne);
    EXPECT_EQ(PlayerY, CurrentCube->Bottom(0).y + 36 * FixedOne);
    SecondBuild = true;
    HorizonOffset = 30;
    Press(SDL_SCANCODE_KP_5, KMOD_NUM);
    SecondBuild = false;
    EXPECT_EQ(HorizonOffset, 0);
    EXPECT_EQ(EyeHeight, 66 * FixedOne);

    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(GameKeys, TheViewResetWorksInNoCube) {
    // Where a scene point lands on the screen shows the scene viewport's plane.
    StandAt(150, 50, 0x4000);
    const platform::RmVector ahead{200.0f, 30.0f, 50.0f};
    platform::RmVector centred{}, reset{};
    PollWith(SDL_SCANCODE_KP_PLUS);
    ASSERT_NE(RMViewport, nullptr);
    ASSERT_EQ(RMViewport->Transform(ahead, &centred), DD_OK);
    for (int press = 0; press < 5; ++press) {
        PollWith(SDL_SCANCODE_INSERT);
    }
    ASSERT_EQ(HorizonOffset, -50);

    // Outside every cube (a camera move or a fall can leave the eye there) the reset still
    // centres the horizon, restores the eye height and the plane; the height is left as it is.
    CurrentCube = nullptr;
    const Fixed16 y = PlayerY;
    PollWith(SDL_SCANCODE_RETURN);
    EXPECT_EQ(HorizonOffset, 0);
    EXPECT_EQ(EyeHeight, 36 * FixedOne);
    EXPECT_EQ(PlayerY, y);
    ASSERT_EQ(RMViewport->Transform(ahead, &reset), DD_OK);
    EXPECT_FLOAT_EQ(reset.y, centred.y);

    HorizonOffset = 20;
    EyeHeight = 40 * FixedOne;
    Press(SDL_SCANCODE_KP_5, KMOD_NUM);
    EXPECT_EQ(HorizonOffset, 0);
    EXPECT_EQ(EyeHeight, 36 * FixedOne);
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(GameKeys, EscapePolledResetsTheLevelShutsDownAndEndsTheLoop) {
    ASSERT_GT(CubeCount, 0);
    EXPECT_EQ(PollWith(SDL_SCANCODE_ESCAPE), 1);
    EXPECT_EQ(CubeCount, 0);
    EXPECT_EQ(QuitDone, 1);
    EXPECT_EQ(BackBuffer, nullptr);
}

TEST_F(GameKeys, EscapeAndF12AsMessagesEndTheProgram) {
    Press(SDL_SCANCODE_F12);
    EXPECT_EQ(QuitDone, 1);
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(GameKeys, MessageKeysSwitchDisplaysStepAsideAndShowDebugViews) {
    Press(SDL_SCANCODE_SPACE);
    EXPECT_EQ(ShowFrameRate, 1);
    EXPECT_EQ(ShowInfo, 0);
    Press(SDL_SCANCODE_SPACE);
    EXPECT_EQ(ShowFrameRate, 1);
    EXPECT_EQ(ShowInfo, 1);
    Press(SDL_SCANCODE_SPACE);
    EXPECT_EQ(ShowFrameRate, 0);
    EXPECT_EQ(ShowInfo, 0);

    StandAt(150, 50, 0x4000);
    Press(SDL_SCANCODE_PAGEUP);  // along heading + 8192
    EXPECT_EQ(PlayerX, 150 * FixedOne + SinOf(0x6000) * StepScale);
    StandAt(150, 50, 0x4000);
    Press(SDL_SCANCODE_KP_7, KMOD_NUM);  // along heading - 8192
    EXPECT_EQ(PlayerZ, 50 * FixedOne + CosOf(0x2000) * StepScale);

    ASSERT_NE(BackBuffer, nullptr);
    BackBuffer->Pixels()[5] = 9;
    Press(SDL_SCANCODE_F2);
    EXPECT_EQ(ShowFaces, 0);
    EXPECT_EQ(BackBuffer->Pixels()[5], 0);
    Press(SDL_SCANCODE_F2);
    EXPECT_EQ(ShowFaces, 1);
    Press(SDL_SCANCODE_F3);
    EXPECT_EQ(ShowObjects, 0);
    Press(SDL_SCANCODE_F3);
    EXPECT_EQ(ShowObjects, 1);

    // Keys of no binding go to the default handling and change nothing.
    EXPECT_EQ(HandleKeyMessage(WM_KEYDOWN, 'Q', 0), 0);
    EXPECT_EQ(HandleKeyMessage(WM_KEYUP, VK_F2, 0), 1);
    EXPECT_EQ(ShowFaces, 1);
}

TEST_F(GameKeys, FunctionKeysRunTheirBoundStatesOnly) {
    ASSERT_EQ(Load("int presses;\n"
                   "int lines;\n"
                   "state Start;\n"
                   "exit;\n"
                   "state Bound;\n"
                   "presses = (presses + 1);\n"
                   "lines = (lines + 1);\n"
                   "exit;\n"),
              1);
    const SDL_Scancode keys[] = {SDL_SCANCODE_F4, SDL_SCANCODE_F5, SDL_SCANCODE_F6, SDL_SCANCODE_F7,
                                 SDL_SCANCODE_F8, SDL_SCANCODE_F9, SDL_SCANCODE_F10};
    Press(SDL_SCANCODE_F4);  // unbound: nothing
    EXPECT_EQ(Var("presses"), 0);
    for (int vk = VK_F4; vk <= VK_F10; ++vk) {
        EXPECT_GT(SetKeyState(vk, "Bound"), 0);
    }
    for (SDL_Scancode key : keys) {
        Press(key);
    }
    EXPECT_EQ(Var("presses"), 7);
    EXPECT_EQ(Var("lines"), 7);  // the whole state each time

    EXPECT_EQ(SetKeyState(VK_F5, "Nowhere"), -1);
    Press(SDL_SCANCODE_F5);
    EXPECT_EQ(Var("presses"), 7);
    // Keys outside the table are refused and written nowhere.
    EXPECT_EQ(SetKeyState(256, "Bound"), -1);
    EXPECT_EQ(SetKeyState(-1, "Bound"), -1);

    // The level reset unbinds every key.
    ResetLevel();
    Press(SDL_SCANCODE_F6);
    EXPECT_EQ(Var("presses"), 7);
}

TEST_F(GameKeys, F11LoadsTheTwoRoomScriptsInTurnAfterResettingTheLevel) {
    Write("springrm.scp", "int room;\nstate Start;\nroom = 1;\nexit;\n");
    Write("ferrowrm.scp", "int room;\nstate Start;\nroom = 2;\nexit;\n");
    ASSERT_GT(CubeCount, 0);
    Press(SDL_SCANCODE_F11);
    EXPECT_EQ(CubeCount, 0);
    EXPECT_EQ(Var("room"), 1);
    Press(SDL_SCANCODE_F11);
    EXPECT_EQ(Var("room"), 2);
    Press(SDL_SCANCODE_F11);
    EXPECT_EQ(Var("room"), 1);
    EXPECT_TRUE(RecordedBoxes().empty());

    // A level reset in the middle of a camera move ends the move: the next level's eye stands
    // on its floor again.
    ASSERT_EQ(LoadLevel("cubeworld.lvl"), 1);
    Load("state Start;\nLHS 1 5 150 40 50;\nLHS 1 5 150 40 250;\nMoveCamera 3 1 2 0;\nexit;\n");
    PerFrameUpdate();
    PerFrameUpdate();
    ASSERT_EQ(CameraMoverActive, 1);
    Write("ferrowrm.scp", "state Start;\nLoadMap(\"cubeworld.lvl\");\nexit;\n");
    Press(SDL_SCANCODE_F11);
    EXPECT_EQ(CameraMoverActive, 0);
    ASSERT_NE(CurrentCube, nullptr);
    EXPECT_EQ(PlayerY, CurrentCube->Bottom(0).y + EyeHeight);
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(GameKeys, F1AndAltEnterSwitchFullScreenOnThePrimaryDeviceOnly) {
    ASSERT_EQ(FullScreen, 0);
    InjectKey(SDL_SCANCODE_F1, true);
    PollKeyboard();
    InjectKey(SDL_SCANCODE_F1, false);
    ResetInput();
    EXPECT_EQ(FullScreen, 1);
    EXPECT_TRUE(FullScreenDisplay());
    EXPECT_NE(BackBuffer, nullptr);

    Press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_EQ(FullScreen, 0);
    EXPECT_FALSE(FullScreenDisplay());

    PrimaryDevice = 0;
    Press(SDL_SCANCODE_RETURN, KMOD_LALT);
    PrimaryDevice = 1;
    EXPECT_EQ(FullScreen, 0);
    // Alt with the keypad's + and / has no table of modes to step through.
    EXPECT_EQ(HandleKeyMessage(WM_SYSKEYUP, VK_ADD, 0), 1);
    EXPECT_EQ(HandleKeyMessage(WM_SYSKEYUP, VK_DIVIDE, 0), 1);

    // Alt+Return to a mode that cannot be applied ends the game as a fault does, with status 1.
    InjectFault("CreateSurface", DDERR_GENERIC);
    HandleKeyMessage(WM_SYSKEYUP, VK_RETURN, 0);
    EXPECT_EQ(QuitDone, 1);
    Msg msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
    }
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 1u);
}

TEST_F(GameKeys, SwitchingKeysActOncePerPressHoweverLongTheyAreHeld) {
    // F1 held through four passes switches once; the next press switches back.
    ASSERT_EQ(FullScreen, 0);
    InjectKey(SDL_SCANCODE_F1, true);
    for (int pass = 0; pass < 4; ++pass) {
        PollKeyboard();
        InjectKey(SDL_SCANCODE_F1, true, KMOD_NONE, true);  // the key's own repeat
    }
    InjectKey(SDL_SCANCODE_F1, false);
    EXPECT_EQ(FullScreen, 1);
    PollWith(SDL_SCANCODE_F1);
    EXPECT_EQ(FullScreen, 0);
    PollKeyboard();
    EXPECT_EQ(FullScreen, 0);

    // The message keys: a press with its repeats, then the release.
    ASSERT_EQ(Load("int presses;\n"
                   "state Start;\n"
                   "exit;\n"
                   "state Bound;\n"
                   "presses = (presses + 1);\n"
                   "exit;\n"),
              1);
    ASSERT_GT(SetKeyState(VK_F4, "Bound"), 0);
    Write("springrm.scp", "int room;\nstate Start;\nroom = 1;\nexit;\n");
    Write("ferrowrm.scp", "int room;\nstate Start;\nroom = 2;\nexit;\n");
    const auto hold = [](SDL_Scancode key, int repeats) {
        InjectKey(key, true);
        for (int i = 0; i < repeats; ++i) {
            InjectKey(key, true, KMOD_NONE, true);
        }
        InjectKey(key, false);
        Dispatch();
    };
    hold(SDL_SCANCODE_SPACE, 2);
    EXPECT_EQ(ShowFrameRate, 1);
    EXPECT_EQ(ShowInfo, 0);
    hold(SDL_SCANCODE_F2, 1);
    EXPECT_EQ(ShowFaces, 0);
    hold(SDL_SCANCODE_F3, 1);
    EXPECT_EQ(ShowObjects, 0);
    hold(SDL_SCANCODE_F4, 2);
    EXPECT_EQ(Var("presses"), 1);
    // Keys that move the player go on with their repeats.
    StandAt(150, 50, 0x4000);
    hold(SDL_SCANCODE_PAGEUP, 2);
    EXPECT_EQ(PlayerX, 150 * FixedOne + 3 * SinOf(0x6000) * StepScale);
    hold(SDL_SCANCODE_F11, 1);
    EXPECT_EQ(Var("room"), 1);
}

TEST_F(GameKeys, TiltingStopsWhereTheWholeViewIsStillDrawn) {
    // Thirty steps of 10 lines either way; the keys held longer change nothing more.
    for (int pass = 0; pass < 40; ++pass) {
        PollWith(SDL_SCANCODE_DELETE);
    }
    EXPECT_EQ(HorizonOffset, 300);
    for (int pass = 0; pass < 70; ++pass) {
        PollWith(SDL_SCANCODE_INSERT);
    }
    EXPECT_EQ(HorizonOffset, -300);
    PollWith(SDL_SCANCODE_KP_PERIOD, KMOD_NUM);
    EXPECT_EQ(HorizonOffset, -290);
    PollWith(SDL_SCANCODE_RETURN);
    EXPECT_TRUE(RecordedBoxes().empty());

    // A viewport that refuses the tilt, or its reset, is reported with the refusal.
    InjectFault("SetPlane", D3DRMERR_BADVALUE);
    PollWith(SDL_SCANCODE_INSERT);
    InjectFault("SetPlane", D3DRMERR_BADOBJECT);
    PollWith(SDL_SCANCODE_RETURN);
    EXPECT_EQ(
        support::BoxLines(),
        (std::vector<std::string>{"D3D: Viewport banding failed.\nD3DRMERR_BADVALUE\r\n | Msg",
                                  "D3D: Viewport restore failed.\nD3DRMERR_BADOBJECT\r\n | Msg"}));
}
