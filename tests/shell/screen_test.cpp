// With a display (a real or virtual X server, SDL_VIDEODRIVER not dummy): the game's window
// shows the demo's first room at 640 x 480, switches to full screen and back by the keyboard, and
// ends by its close box, also under a window manager (scripts/screen-tests runs them without one
// and with one, naming it in DUSK_WM). Skipped when there is no display. And the game run as its
// own process, with a screen when there is one and without.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "game_process.h"
#include "platform/backend.h"
#include "platform/dialog_window.h"
#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/message_box.h"
#include "platform/presenter.h"
#include "platform/quit_signals.h"
#include "platform/window.h"
#include "shell/app.h"
#include "support/shell_fixture.h"
#include "world/cube.h"
#include "world/player.h"
#include "world/room.h"
#include "x_display.h"

// The game on the display, started as a player starts it: the configuration dialog answered
// with Enter (the first puzzle, in a window). Skipped when there is no display.
class Screen : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform::SetHeadless(false);
        if (platform::Headless()) {
            platform::SetHeadless(true);
            GTEST_SKIP() << "no display";
        }
        // Asked to run under a window manager, the tests run under one or not at all.
        const char* manager = std::getenv("DUSK_WM");
        if (manager && *manager) {
            ASSERT_TRUE(xdisplay::WindowManagerRuns(5000)) << manager << " is not running";
        }
    }
    void TearDown() override {
        ShellTest::TearDown();
        platform::ResetInput();
        platform::SetHeadless(true);
    }
    static void Start() {
        platform::QueueDialogActions({platform::DialogAction::PressKey(platform::VK_RETURN)});
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);  // the demo script loads the level
        ASSERT_EQ(RoomCount, 4);
    }
    // The game's window on the display: the last one shown.
    static SDL_Window* GameWindow() {
        SDL_Window* shown = nullptr;
        for (Uint32 id = 1; id < 4096; ++id) {
            SDL_Window* window = SDL_GetWindowFromID(id);
            if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN)) shown = window;
        }
        return shown;
    }
    // Main-loop passes, some milliseconds apart, until `done` holds or two seconds have gone.
    static bool PassUntil(const std::function<bool()>& done) {
        platform::Msg msg;
        for (int pass = 0; pass < 200; ++pass) {
            if (done()) return true;
            if (!MainLoopPass(msg)) return false;
            SDL_Delay(10);
        }
        return done();
    }
    // The game's window shown, 640 x 480, and under a window manager taken in hand by it (framed,
    // with its close box), as a player first sees it.
    static SDL_Window* ShownWindow() {
        SDL_Window* window = GameWindow();
        const bool managed = xdisplay::WindowManagerRuns(0);
        EXPECT_TRUE(window && PassUntil([&] {
                        return Covers(window, {0, 0, 640, 480}, false) &&
                               (!managed || xdisplay::Managed(window));
                    }));
        return window;
    }
    // The window's client area has this size (and, over the whole display, its place).
    static bool Covers(SDL_Window* window, const xdisplay::Area& wanted, bool placed) {
        xdisplay::Area area;
        return xdisplay::ClientArea(window, &area) && area.width == wanted.width &&
               area.height == wanted.height &&
               (!placed || (area.x == wanted.x && area.y == wanted.y));
    }
};

TEST_F(Screen, TheWindowShowsTheDemosFirstRoom) {
    Start();
    platform::InjectMouseMove(320, 240);  // away from the edges, where the cursor moves the player
    platform::Msg msg;
    for (int pass = 0; pass < 5; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    // The window is 640 x 480 on the display, and so is the picture.
    ASSERT_NE(ShownWindow(), nullptr);
    EXPECT_EQ(platform::PresentedFrame().width, 640u);
    EXPECT_EQ(platform::PresentedFrame().height, 480u);

    const std::string shot = std::string(DUSK_DEMO_DATA) + "/../screen_first_room.png";
    ASSERT_TRUE(platform::SavePresentedFrame(shot));
    const platform::PresentedImage& image = platform::PresentedFrame();
    std::set<uint32_t> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(colours.size(), 20u) << "the view is blank";
}

// The pointer resting outside the game's window (where the dialog left it) moves nothing.
TEST_F(Screen, APointerOutsideTheWindowLeavesTheViewStill) {
    SDL_WarpMouseGlobal(2, 2);
    Start();
    xdisplay::Area area;
    ASSERT_TRUE(xdisplay::ClientArea(ShownWindow(), &area));
    ASSERT_TRUE(area.x > 2 || area.y > 2) << "the window lies under the pointer";
    const Fixed16 x = PlayerX, z = PlayerZ;
    const Angle16 heading = PlayerHeading;
    platform::Msg msg;
    for (int pass = 0; pass < 20; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(PlayerX, x);
    EXPECT_EQ(PlayerZ, z);
    EXPECT_EQ(PlayerHeading, heading);
}

// The pointer moved into the window and then out of it, far from it: once out it steers
// nothing, although the window was hidden and shown again as the start-up applied the display
// mode (after which the leaving is reported only as a last move on the window's edge).
TEST_F(Screen, APointerThatLeavesTheWindowSteersNothing) {
    Start();
    SDL_Window* window = ShownWindow();
    ASSERT_NE(window, nullptr);
    SDL_WarpMouseInWindow(window, 320, 240);
    ASSERT_TRUE(PassUntil([] { return platform::PointerInWindow(); }));
    xdisplay::Area area;
    ASSERT_TRUE(xdisplay::ClientArea(window, &area));
    const xdisplay::Area display = xdisplay::DisplayArea();
    ASSERT_TRUE(area.x + area.width + 20 < display.width &&
                area.y + area.height + 20 < display.height)
        << "no room beside the window";
    SDL_WarpMouseGlobal(display.width - 10, display.height - 10);
    ASSERT_TRUE(PassUntil([] { return !platform::PointerInWindow(); }));
    const Fixed16 x = PlayerX, z = PlayerZ;
    const Angle16 heading = PlayerHeading;
    platform::Msg msg;
    for (int pass = 0; pass < 20; ++pass) {
        ASSERT_TRUE(MainLoopPass(msg));
        SDL_Delay(10);
    }
    EXPECT_FALSE(platform::PointerInWindow());
    EXPECT_EQ(PlayerX, x);
    EXPECT_EQ(PlayerZ, z);
    EXPECT_EQ(PlayerHeading, heading);
}

// In full screen the game's window covers the whole display, also where no window manager
// carries out the request: the pointer anywhere on the display is over the picture.
TEST_F(Screen, FullScreenCoversTheDisplay) {
    Start();
    platform::Msg msg;
    platform::InjectKey(SDL_SCANCODE_F1, true);
    ASSERT_TRUE(MainLoopPass(msg));
    platform::InjectKey(SDL_SCANCODE_F1, false);
    ASSERT_EQ(FullScreen, 1);
    SDL_Rect display;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
    // Near the display's bottom-right corner, far outside where the window was.
    SDL_WarpMouseGlobal(display.w - 10, display.h - 10);
    platform::Point cursor{};
    for (int pass = 0; pass < 20 && cursor.x <= 600; ++pass) {
        SDL_Delay(20);
        ASSERT_TRUE(MainLoopPass(msg));
        platform::GetCursorPos(&cursor);
    }
    EXPECT_TRUE(platform::PointerInWindow());
    EXPECT_GT(cursor.x, 600);
    EXPECT_GT(cursor.y, 440);
}

// F1 and Alt+Return, pressed on the keyboard, switch the window to full screen over the whole
// display and back to a window of 640 x 480, each key twice both ways; under a window manager,
// which carries out the switches and gives the window the keyboard, too.
TEST_F(Screen, F1AndAltReturnSwitchToFullScreenAndBackTwiceEach) {
    Start();
    SDL_Window* window = ShownWindow();
    ASSERT_NE(window, nullptr);
    const bool managed = xdisplay::WindowManagerRuns(0);
    const xdisplay::Area display = xdisplay::DisplayArea();
    for (const char* keys : {"F1", "Alt_L+Return"}) {
        for (int press = 1; press <= 4; ++press) {
            SCOPED_TRACE(std::string(keys) + ", press " + std::to_string(press));
            const int full = press % 2;
            // Without a window manager nothing gives the window the keyboard: the player's
            // click does.
            if (!managed) {
                ASSERT_TRUE(xdisplay::Focus(window));
            }
            ASSERT_TRUE(xdisplay::PressKeys(keys)) << "xdotool is needed (scripts/install-deps)";
            EXPECT_TRUE(PassUntil([&] { return FullScreen == full; }));
            EXPECT_TRUE(PassUntil([&] {
                return full ? Covers(window, display, true)
                            : Covers(window, {0, 0, 640, 480}, false);
            }));
        }
    }
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

// The window's close box ends the game with status 0: the main loop takes the quit message with
// status 0, the window gone. Under a window manager the close box is its own, which asks the
// window to close.
TEST_F(Screen, TheCloseBoxEndsTheGameWithStatusZero) {
    Start();
    SDL_Window* window = ShownWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(xdisplay::RequestClose(window));
    platform::Msg msg;
    bool running = true;
    for (int pass = 0; pass < 300 && running; ++pass) {
        running = MainLoopPass(msg);
        if (running) SDL_Delay(10);
    }
    ASSERT_FALSE(running) << "the game goes on";
    EXPECT_EQ(msg.message, platform::WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(platform::IsWindow(MainWindow));
}

// A signal, caught as the game's entry catches it, ends the loop with the window's events.
TEST_F(Screen, ASignalClosesTheWindowAndEndsTheLoop) {
    Start();
    platform::CatchQuitSignals();
    ASSERT_EQ(raise(SIGTERM), 0);
    platform::Msg msg;
    int passes = 0;
    while (MainLoopPass(msg)) ASSERT_LT(++passes, 5);
    EXPECT_EQ(msg.message, platform::WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(platform::IsWindow(MainWindow));
}

using GameProcess = ShellTest;
using shelltest::ExitedWith;
using shelltest::StartGame;
using shelltest::WaitForEnd;

// SIGTERM, SIGINT and SIGHUP end the running game in order, with status 0: without a screen, and
// with one when there is a display.
TEST_F(GameProcess, QuitSignalsEndTheGameInOrder) {
    std::vector<const char*> drivers = {"dummy"};
    const char* display = std::getenv("DISPLAY");
    if (display && *display) drivers.push_back("x11");
    for (const char* driver : drivers) {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(std::string(driver) + " " + std::to_string(signal));
            const pid_t game = StartGame(driver);
            ASSERT_GT(game, 0);
            // Well into the main loop: past the dialog, which is answered at once without a
            // screen and waits for the player with one (a signal then cancels it).
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            ASSERT_EQ(kill(game, signal), 0);
            const int status = WaitForEnd(game);
            ASSERT_TRUE(ExitedWith(status, 0));
        }
    }
}
