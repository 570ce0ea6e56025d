// Script files compiled and run the way the game runs them: the game is started headless once in
// the scratch folder, which holds a copy of the demo's files for the script's commands to load;
// for each input the level is reset, the script loaded and its first state run, its events raised
// and a few seconds of the main loop played, so that waits and timers run too. The engine stops
// any run that goes on too long, and a script that ends the game has it started again.
#include <cstdlib>
#include <filesystem>

#include "base/graphics_objects.h"
#include "fuzz_harness.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "script/events.h"
#include "shell/app.h"
#include "shell/shutdown.h"

namespace {

constexpr int kPasses = 4;
constexpr uint32_t kPassMilliseconds = 1000;  // a timer tick every pass

void CopyDemo() {
    static const bool copied = [] {
        for (const auto& entry : std::filesystem::directory_iterator(DUSK_DEMO_DATA)) {
            std::filesystem::copy_file(entry.path(), entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        return true;
    }();
    (void)copied;
}

// A game to run the script in: started anew when the last input ended it.
void StartGame() {
    if (MainWindow && !QuitDone) return;
    // A game that ended leaves its level to the end of the process; this process goes on.
    ResetLevel();
    ShutdownApp();
    platform::ResetWindows();
    MainWindow = nullptr;
    InitApp(nullptr, platform::SW_SHOWNORMAL);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // No sound device is needed to run a script, and none may be there.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    fuzz::Start(argc, argv);
    platform::UseFakeClock(true, 1000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.scp", data, size);
    CopyDemo();
    fuzz::Run([] {
        StartGame();
        if (QuitDone) return;
        ResetLevel();
        LoadScript("fuzz.scp");
        // A script that ended the game gets nothing more, as in the game.
        if (QuitDone) return;
        RaiseEvent();
        RaiseMotionEvent(0, 0);
        RaiseHotSpotEvent(0, 1);
        RaiseTimerEvent();
        platform::Msg msg;
        for (int i = 0; i < kPasses && MainLoopPass(msg); ++i) {
            platform::AdvanceFakeClock(kPassMilliseconds);
        }
    });
    return 0;
}
