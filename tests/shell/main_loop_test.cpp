#include <signal.h>

#include <csignal>
#include <set>

#include "platform/display.h"
#include "platform/input_injection.h"
#include "platform/presenter.h"
#include "platform/quit_signals.h"
#include "script/runner.h"
#include "script/wait.h"
#include "shell/display_modes.h"
#include "shell/frame.h"
#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "shell/shutdown.h"
#include "shell/window_proc.h"
#include "support/shell_fixture.h"
#include "world/deco_object.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"

using namespace platform;

namespace {

// The emblem of the demo's green chamber: its current frame moves on with every game update.
int EmblemFrame() {
    auto* deco = static_cast<DecoObject*>(MapObjectTable[1]);
    return deco ? deco->animation.current : -1;
}

size_t ColoursInView(const PresentedImage& image) {
    std::set<uint32_t> colours;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) colours.insert(image.Pixel(x, y));
    return colours.size();
}

}  // namespace

class MainLoop : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        // The demo script applies the display mode with its palette and loads the level.
        ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
        ASSERT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
        ASSERT_EQ(RoomCount, 4);
        ASSERT_EQ(EmblemFrame(), 0);
        InjectMouseMove(320, 240);  // away from the edges, where the cursor moves the player
    }
};

TEST_F(MainLoop, EachPassUpdatesTheWorldAndPresentsTheDrawnView) {
    Msg msg;
    const uint64_t before = PresentedFrameCount();
    ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(EmblemFrame(), 1);
    EXPECT_EQ(PresentedFrameCount(), before + 1);
    // The view (the back buffer's top-left three quarters) stretched over the whole screen:
    // walls, floor and ceiling of the first room in many shades.
    const PresentedImage& image = PresentedFrame();
    ASSERT_EQ(image.width, 640u);
    ASSERT_EQ(image.height, 480u);
    EXPECT_GT(ColoursInView(image), 20u);
    SavePresentedFrame(DUSK_DEMO_DATA "/../first_room_headless.png");
}

TEST_F(MainLoop, WhileRenderingIsStoppedUpdatesGoOnAndNoFrameIsDrawn) {
    Msg msg;
    RenderingStopped = 1;
    const uint64_t before = PresentedFrameCount();
    ASSERT_TRUE(MainLoopPass(msg));
    ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(EmblemFrame(), 0);  // two frames of two: round again
    ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(EmblemFrame(), 1);
    EXPECT_EQ(PresentedFrameCount(), before);
    RenderingStopped = 0;
    ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(PresentedFrameCount(), before + 1);
}

TEST_F(MainLoop, AFailedViewportClearIsReportedAndStopsRendering) {
    Msg msg;
    InjectFault("Clear", D3DRMERR_BADDEVICE);
    const uint64_t before = PresentedFrameCount();
    ASSERT_TRUE(MainLoopPass(msg));
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].text, "D3D: Clearing viewport failed.\nD3DRMERR_BADDEVICE\r\n");
    EXPECT_EQ(RenderingStopped, 1);
    EXPECT_EQ(PresentedFrameCount(), before);
    ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(PresentedFrameCount(), before);
    EXPECT_EQ(EmblemFrame(), 0);  // the world still moved twice
}

TEST_F(MainLoop, TheEscapeRoadEmptiesTheLevelAndShutsDownOnce) {
    // What Escape does: the level reset, the one-time shutdown, then QuitApp, whose window
    // destruction finds everything released already.
    KeyBindingTable[VK_F4] = 3;
    CursorItem = 9;
    EXPECT_EQ(ResetLevel(), 1);
    EXPECT_EQ(CubeCount, 0);
    EXPECT_EQ(RoomCount, 0);
    EXPECT_EQ(MapObjectTable[1], nullptr);
    EXPECT_EQ(KeyBindingTable[VK_F4], -1);
    EXPECT_EQ(CursorItem, 0);
    EXPECT_EQ(OverlayItemCount, 1);

    EXPECT_EQ(ShutdownApp(), 1);
    EXPECT_TRUE(CursorVisible());
    for (const void* object : ModeObjects()) EXPECT_EQ(object, nullptr);
    EXPECT_EQ(PrimarySurface(), nullptr);  // the screen surface is really gone
    EXPECT_EQ(QuitApp(), 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_EQ(ShutdownApp(), 0);
    EXPECT_EQ(ShowCursor(false), -1);  // shown exactly once again: the count went from -1 to 0

    // Nothing runs on released objects afterwards, and the loop ends on the quit message.
    Msg msg;
    EXPECT_FALSE(MainLoopPass(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MainLoop, TheDestroyRoadShutsDownAndEndsTheLoopWithTheLevelLeft) {
    Msg msg;
    StopFlag = 0;
    const uint64_t before = PresentedFrameCount();
    EXPECT_EQ(QuitApp(), 0);
    EXPECT_EQ(StopFlag, 1);  // a script run that asked goes no further
    EXPECT_EQ(QuitDone, 1);
    EXPECT_EQ(RenderingStopped, 1);
    EXPECT_EQ(BackBuffer, nullptr);
    EXPECT_EQ(SceneFrame, nullptr);
    EXPECT_TRUE(CursorVisible());
    EXPECT_GT(CubeCount, 0);

    // Update and frame do nothing once the program has shut down, even when asked directly.
    RenderingStopped = 0;
    PerFrameUpdate();
    RenderFrame();
    EXPECT_EQ(EmblemFrame(), 0);
    EXPECT_EQ(PresentedFrameCount(), before);
    EXPECT_EQ(ApplyDisplayMode(), 0);
    EXPECT_FALSE(MainLoopPass(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(MainLoop, OnlyTheSecondTimerResumesAWait) {
    Msg msg;
    BeginWait(5);
    const int ticks = WaitTicks;
    MainWindowProc(MainWindow, WM_TIMER, 7, 0);
    EXPECT_EQ(WaitTicks, ticks);
    MainWindowProc(MainWindow, WM_TIMER, TimerId, 0);
    EXPECT_EQ(WaitTicks, ticks + 1);

    // The timer arrives through the loop once a second has passed.
    AdvanceFakeClock(1000);
    for (int pass = 0; pass < 3 && msg.message != WM_TIMER; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(WaitTicks, ticks + 2);
}

TEST_F(MainLoop, EveryNormalQuitEndsWithStatusZero) {
    // A timer tick (its wParam the timer's id, 1) is the last message taken before Escape.
    Msg msg;
    AdvanceFakeClock(1000);
    for (int pass = 0; pass < 3 && msg.message != WM_TIMER; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    ASSERT_EQ(msg.message, WM_TIMER);
    ASSERT_EQ(msg.wParam, 1u);
    InjectKey(SDL_SCANCODE_ESCAPE, true);
    EXPECT_FALSE(MainLoopPass(msg));
    EXPECT_EQ(msg.wParam, 0u);
    ResetInput();
}

TEST_F(MainLoop, ClosingTheWindowAndF12EndWithStatusZero) {
    Msg msg;
    InjectCloseRequest();
    int passes = 0;
    while (MainLoopPass(msg)) ASSERT_LT(++passes, 5);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);

    Restart();
    InjectKey(SDL_SCANCODE_F12, true);
    InjectKey(SDL_SCANCODE_F12, false);
    passes = 0;
    while (MainLoopPass(msg)) ASSERT_LT(++passes, 5);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MainLoop, QuitSignalsCloseTheWindowAndEndTheLoopInOrder) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        if (signal != SIGTERM) {
            ResetWindows();
            Restart();
        }
        // Without a screen nothing else would ever read the signal.
        ASSERT_TRUE(Headless());
        CatchQuitSignals();
        ASSERT_EQ(raise(signal), 0);
        // A second TERM or HUP while the game ends is absorbed; a second Ctrl+C would force it.
        if (signal != SIGINT) {
            ASSERT_EQ(raise(signal), 0);
        }
        struct sigaction now {};
        sigaction(SIGINT, nullptr, &now);
        EXPECT_EQ(now.sa_handler == SIG_DFL, signal == SIGINT);
        Msg msg;
        int passes = 0;
        while (MainLoopPass(msg)) ASSERT_LT(++passes, 5);
        EXPECT_EQ(msg.message, WM_QUIT);
        EXPECT_EQ(msg.wParam, 0u);
        EXPECT_EQ(QuitDone, 1);
        EXPECT_FALSE(IsWindow(MainWindow));
        EXPECT_FALSE(TakeQuitSignal());
    }
}
