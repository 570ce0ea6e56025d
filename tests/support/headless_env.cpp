// Every test program runs without a screen or a sound device unless its environment names a
// video driver (the screen tests are run that way under a virtual display), and with the calls
// the lower floors make upward handed over, as the program's entry hands them over.
#include <cstdlib>

#include "bindings/handlers_install.h"

namespace {
struct HeadlessByDefault {
    HeadlessByDefault() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        InstallHandlers();
    }
} headlessByDefault;
}  // namespace
