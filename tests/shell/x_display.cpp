#include "x_display.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace xdisplay {

namespace {

// The X display and window of an SDL window; false when it is not a window of an X display.
bool XWindowOf(SDL_Window* window, Display** display, Window* xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    *display = info.info.x11.display;
    *xwindow = info.info.x11.window;
    return true;
}

// A connection of the tests' own, for what is asked of the display without a window.
Display* OwnDisplay() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

}  // namespace

bool WindowManagerRuns(int milliseconds) {
    Display* display = OwnDisplay();
    if (!display) return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    for (int waited = 0;; waited += 50) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool announced =
            XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                               &type, &format, &count, &after, &data) == Success &&
            type == XA_WINDOW && count == 1;
        if (data) XFree(data);
        if (announced) return true;
        if (waited >= milliseconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

namespace {

// The first value of a property of 32-bit values, or 0 when the window has none.
unsigned long Property(Display* display, Window window, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    unsigned long value = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data && count > 0 && format == 32) {
        value = *reinterpret_cast<unsigned long*>(data);
    }
    if (data) XFree(data);
    return value;
}

}  // namespace

bool Managed(SDL_Window* window) {
    Display* display = nullptr;
    Window xwindow = 0;
    if (!XWindowOf(window, &display, &xwindow)) return false;
    // Normal state (1) given, and the window made the active one.
    return Property(display, xwindow, "WM_STATE") == 1 &&
           Property(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW") == xwindow;
}

bool ClientArea(SDL_Window* window, Area* area) {
    Display* display = nullptr;
    Window xwindow = 0;
    if (!XWindowOf(window, &display, &xwindow)) return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, xwindow, &attributes)) return false;
    Window child = 0;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(display, xwindow, DefaultRootWindow(display), 0, 0, &x, &y,
                               &child)) {
        return false;
    }
    *area = {x, y, attributes.width, attributes.height};
    return true;
}

Area DisplayArea() {
    Display* display = OwnDisplay();
    if (!display) return {};
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

bool RequestClose(SDL_Window* window) {
    Display* display = nullptr;
    Window xwindow = 0;
    if (!XWindowOf(window, &display, &xwindow)) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.format = 32;
    event.xclient.window = xwindow;
    bool sent = false;
    if (WindowManagerRuns(0)) {
        // The close box's own request, which the window manager carries out.
        event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
        event.xclient.data.l[0] = CurrentTime;
        event.xclient.data.l[1] = 2;  // asked for by the user
        sent = XSendEvent(display, DefaultRootWindow(display), False,
                          SubstructureRedirectMask | SubstructureNotifyMask, &event) != 0;
    } else {
        // What a window manager sends the window when its close box is clicked.
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        sent = XSendEvent(display, xwindow, False, NoEventMask, &event) != 0;
    }
    XFlush(display);
    return sent;
}

bool Focus(SDL_Window* window) {
    Display* display = nullptr;
    Window xwindow = 0;
    if (!XWindowOf(window, &display, &xwindow)) return false;
    XSetInputFocus(display, xwindow, RevertToParent, CurrentTime);
    XSync(display, False);
    return true;
}

bool PressKeys(const std::string& keys) {
    // The modifiers are held down around the last key, as a player's fingers hold them.
    std::string command = "xdotool", release;
    size_t from = 0;
    for (size_t plus = keys.find('+'); plus != std::string::npos; plus = keys.find('+', from)) {
        const std::string modifier = keys.substr(from, plus - from);
        command += " keydown " + modifier + " sleep 0.05";
        release += " keyup " + modifier;
        from = plus + 1;
    }
    command += " key " + keys.substr(from) + " sleep 0.05" + release + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

}  // namespace xdisplay
