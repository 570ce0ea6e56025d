#include "platform/exit.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
ExitHook gHook;
}

void SetExitHook(ExitHook hook) { gHook = std::move(hook); }

void Exit(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    if (gHook) gHook(status);
    std::exit(status);
}

}  // namespace platform
