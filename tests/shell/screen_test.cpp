// With a display (a real or virtual X server, SDL_VIDEODRIVER not dummy): the game's window
// shows the demo's first room. Skipped when there is no display.
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
