// The game's window as the X server and a window manager see it, for the tests on a screen:
// its place and size, a close request as a window manager's close box sends it, keys pressed
// through the server's test extension (by xdotool), and whether a window manager runs.
#pragma once
#include <string>

struct SDL_Window;

namespace xdisplay {

// True once a window manager has announced itself on the display (as window managers do for
// their clients), waiting up to `milliseconds` for it.
bool WindowManagerRuns(int milliseconds);

// True once a window manager has taken the window in hand: given it its normal state and made
// it the active window, with the keyboard.
bool Managed(SDL_Window* window);

// The window's client area on the display, in pixels of the root window.
struct Area {
    int x = 0, y = 0, width = 0, height = 0;
};
bool ClientArea(SDL_Window* window, Area* area);

// The display's size in pixels.
Area DisplayArea();

// Closes the window as its close box does: through the window manager when one runs (which then
// asks the window to close), else by asking the window itself.
bool RequestClose(SDL_Window* window);

// Gives the window the input focus, as a click on it would.
bool Focus(SDL_Window* window);

// Presses and releases a key, with modifiers held around it (xdotool's names: "F1",
// "Alt_L+Return"), through the server's test extension: they go to the window that has the
// focus. False when xdotool could not run.
bool PressKeys(const std::string& keys);

}  // namespace xdisplay
