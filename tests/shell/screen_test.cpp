// With a display (a real or virtual X server, SDL_VIDEODRIVER not dummy): the game's window
// shows the demo's first room. Skipped when there is no display.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <string>

#include "platform/backend.h"
#include "platform/dialog_window.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/presenter.h"
#include "platform/window.h"
#include "shell/app.h"
#include "world/cube.h"
#include "world/player.h"

TEST(Screen, TheWindowShowsTheDemosFirstRoom) {
    platform::SetHeadless(false);
    if (platform::Headless()) {
        platform::SetHeadless(true);
        GTEST_SKIP() << "no display";
    }
    platform::SetBoxEcho(false);
    platform::ClearRecordedBoxes();
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(DUSK_DEMO_DATA), 0);

    // The configuration dialog is answered with Enter: the first puzzle, in a window.
    platform::QueueDialogActions({platform::DialogAction::PressKey(platform::VK_RETURN)});
    ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);  // the demo script loads the level
    ASSERT_EQ(RoomCount, 4);
    platform::InjectMouseMove(320, 240);  // away from the edges, where the cursor moves the player
    platform::Msg msg;
    for (int pass = 0; pass < 5; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    const std::string shot = std::string(DUSK_DEMO_DATA) + "/../screen_first_room.png";
    ASSERT_TRUE(platform::SavePresentedFrame(shot));
    const platform::PresentedImage& image = platform::PresentedFrame();
    std::set<uint32_t> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(colours.size(), 20u) << "the view is blank";

    FreeLevel();
    ShutdownApp();
    platform::ResetWindows();
    MainWindow = nullptr;
    platform::SetHeadless(true);
    ASSERT_EQ(chdir(here), 0);
}

// The pointer resting outside the game's window (where the dialog left it) moves nothing.
TEST(Screen, APointerOutsideTheWindowLeavesTheViewStill) {
    platform::SetHeadless(false);
    if (platform::Headless()) {
        platform::SetHeadless(true);
        GTEST_SKIP() << "no display";
    }
    platform::SetBoxEcho(false);
    platform::ResetInput();
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(DUSK_DEMO_DATA), 0);

    SDL_WarpMouseGlobal(2, 2);
    platform::QueueDialogActions({platform::DialogAction::PressKey(platform::VK_RETURN)});
    ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
    const Fixed16 x = PlayerX, z = PlayerZ;
    const Angle16 heading = PlayerHeading;
    platform::Msg msg;
    for (int pass = 0; pass < 20; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    EXPECT_EQ(PlayerX, x);
    EXPECT_EQ(PlayerZ, z);
    EXPECT_EQ(PlayerHeading, heading);

    FreeLevel();
    ShutdownApp();
    platform::ResetWindows();
    platform::ResetInput();
    MainWindow = nullptr;
    platform::SetHeadless(true);
    ASSERT_EQ(chdir(here), 0);
}
