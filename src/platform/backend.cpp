#include "platform/backend.h"
#include "platform/backend_detail.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/window.h"
#include "platform/window_detail.h"

namespace platform {
namespace {
enum class Choice { Undecided, Headless, Screen };
Choice gChoice = Choice::Undecided;

bool VideoUp() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}
}  // namespace

bool Headless() {
    if (gChoice == Choice::Undecided) {
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        bool none =
            driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
        gChoice = (none || !VideoUp()) ? Choice::Headless : Choice::Screen;
    }
    return gChoice == Choice::Headless;
}

void SetHeadless(bool headless) { gChoice = headless ? Choice::Headless : Choice::Undecided; }

void BackendDesktopMode(DisplayMode& mode) {
    if (Headless()) return;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return;
    mode.width = static_cast<uint32_t>(desktop.w);
    mode.height = static_cast<uint32_t>(desktop.h);
    mode.bpp = SDL_BITSPERPIXEL(desktop.format);
}

void BackendSetFullScreen(Hwnd window, bool on) {
    if (Headless()) return;
    SDL_Window* screen = SdlWindowOf(window ? window : MainWindowHandle());
    if (!screen) return;
    SDL_Rect bounds;
    if (on && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(screen), &bounds) == 0) {
        // Without a window manager to carry out the full-screen request the window itself
        // is made to cover the display.
        SDL_SetWindowPosition(screen, bounds.x, bounds.y);
        SDL_SetWindowSize(screen, bounds.w, bounds.h);
    }
    SDL_SetWindowFullscreen(screen, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

}  // namespace platform
