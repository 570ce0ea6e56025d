// Ending the program from deep inside a reader or allocator. The game exits the process; tests
// install a hook (typically one that throws) to catch the exit and its status.
#pragma once
#include <functional>

namespace platform {

using ExitHook = std::function<void(int status)>;

// Sets the hook that Exit calls instead of ending the process; an empty hook restores exit().
void SetExitHook(ExitHook hook);

// Ends the program with the status, through the hook when one is set. If the hook returns,
// the process still ends.
[[noreturn]] void Exit(int status);

}  // namespace platform
