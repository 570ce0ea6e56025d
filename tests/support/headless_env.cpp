// Every test program runs without a screen or a sound device unless its environment names a
// video driver (the screen tests are run that way under a virtual display).
#include <cstdlib>

namespace {
struct HeadlessByDefault {
    HeadlessByDefault() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
} headlessByDefault;
}  // namespace
