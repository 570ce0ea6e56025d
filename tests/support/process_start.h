#pragma once
// The game started more than once in one process (tests, benchmarks): what a fresh process
// starts with, and a scratch folder of links to the demo's files for the game to run in, so
// that what it writes (the planner's dumps) stays out of the demo folder.
#include <filesystem>
#include <string>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/input.h"

namespace support {

// Headless on the first desktop, no boxes shown or recorded, no faults, windows or input left,
// the fake clock at 1000 ms, and the switches a fresh process starts with: a start-up from here
// runs as in a fresh process.
inline void FreshHeadlessStart() {
    platform::SetHeadless(true);
    platform::SetBoxEcho(false);
    platform::ClearRecordedBoxes();
    platform::ClearFaults();
    platform::ResetWindows();
    platform::ResetHeadlessDesktop();
    platform::ResetInput();
    platform::UseFakeClock(true, 1000);
    ResetProcessSwitches();
}

// Fills `folder` (made when missing) with links to the files of the demo folder, leaving out
// the dumps of older runs.
inline void LinkDemoFiles(const std::filesystem::path& demo, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(demo)) {
        const std::string name = entry.path().filename().string();
        if (name == "Blank Map" || name == "Planned Path") continue;
        std::filesystem::create_symlink(entry.path(), folder / name);
    }
}

}  // namespace support
