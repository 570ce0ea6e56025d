#include "platform/window.h"
#include "platform/window_detail.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/input_detail.h"
#include "platform/limits.h"
#include "platform/presenter.h"
#include "platform/presenter_detail.h"

namespace platform {

struct Window {
    WindowClass windowClass;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect;
    bool visible = false;
    bool alive = true;
    bool destroying = false;  // inside its WM_DESTROY
    SDL_Window* sdl = nullptr;
};

namespace {

struct Timer {
    Hwnd window;
    uintptr_t id;
    uint32_t period;
    uint32_t due;
};

std::map<std::string, WindowClass> gClasses;
std::vector<std::unique_ptr<Window>> gWindows;  // destroyed windows stay, marked dead
std::deque<Msg> gQueue;
std::vector<Timer> gTimers;
bool gQuitPosted = false;
int gQuitCode = 0;

bool Alive(Hwnd w) {
    if (!w) return false;
    for (const auto& owned : gWindows) {
        if (owned.get() == w) return w->alive;
    }
    return false;
}

int32_t Width(const Rect& r) { return r.right - r.left; }
int32_t Height(const Rect& r) { return r.bottom - r.top; }

Msg MakeMsg(Hwnd w, uint32_t message, WParam wParam, LParam lParam) {
    Msg m;
    m.hwnd = w;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = Milliseconds();
    GetCursorPos(&m.pt);
    return m;
}

bool InFilter(const Msg& m, Hwnd window, uint32_t first, uint32_t last) {
    if (window && m.hwnd != window) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

// Brings the screen window in line with the window's style, size and visibility.
void SyncScreenWindow(Window* w) {
    if (!w->sdl) return;
    SDL_SetWindowBordered(w->sdl, (w->style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(w->sdl, (w->style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowAlwaysOnTop(w->sdl, (w->exStyle & WS_EX_TOPMOST) ? SDL_TRUE : SDL_FALSE);
    if (!FullScreenDisplay()) {
        // The game's window coordinates are its own; on the desktop the window stays centred
        // whenever its size changes, so a grown window never hangs off the screen.
        int oldW = 0, oldH = 0;
        SDL_GetWindowSize(w->sdl, &oldW, &oldH);
        const int newW = std::max(1, Width(w->rect)), newH = std::max(1, Height(w->rect));
        if (newW != oldW || newH != oldH) {
            SDL_SetWindowSize(w->sdl, newW, newH);
            SDL_SetWindowPosition(w->sdl, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    if (w->visible) {
        SDL_ShowWindow(w->sdl);
    } else {
        SDL_HideWindow(w->sdl);
    }
}

void NoteClientSize(Window* w) {
    if (w == MainWindowHandle()) SetClientSize(Size{Width(w->rect), Height(w->rect)});
}

}  // namespace

SDL_Window* SdlWindowOf(Hwnd window) { return Alive(window) ? window->sdl : nullptr; }

bool RegisterClass(const WindowClass& windowClass) {
    if (!windowClass.proc || gClasses.count(windowClass.className)) return false;
    gClasses[windowClass.className] = windowClass;
    return true;
}

Hwnd CreateWindowEx(uint32_t exStyle, const std::string& className, const std::string& title,
                    uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height, Hwnd) {
    if (TakeFault("CreateWindowEx")) return nullptr;
    auto cls = gClasses.find(className);
    if (cls == gClasses.end()) return nullptr;
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->windowClass = cls->second;
    w->title = title;
    w->style = style;
    w->exStyle = exStyle;
    w->rect = Rect{x, y, x + std::max(0, width), y + std::max(0, height)};
    w->visible = (style & WS_VISIBLE) != 0;
    if (!Headless()) {
        w->sdl = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  std::max(1, width), std::max(1, height), SDL_WINDOW_HIDDEN);
        if (!w->sdl) return nullptr;
        SyncScreenWindow(w);
    }
    gWindows.push_back(std::move(owned));
    NoteClientSize(w);
    if (w->windowClass.proc(w, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(w);
        return nullptr;
    }
    return w;
}

bool DestroyWindow(Hwnd window) {
    if (!Alive(window) || window->destroying) return false;
    window->destroying = true;
    window->windowClass.proc(window, WM_DESTROY, 0, 0);
    window->alive = false;
    gQueue.erase(std::remove_if(gQueue.begin(), gQueue.end(),
                                [window](const Msg& m) { return m.hwnd == window; }),
                 gQueue.end());
    gTimers.erase(std::remove_if(gTimers.begin(), gTimers.end(),
                                 [window](const Timer& t) { return t.window == window; }),
                  gTimers.end());
    if (window->sdl) {
        ForgetScreenWindow(window->sdl);
        SDL_DestroyWindow(window->sdl);
        window->sdl = nullptr;
    }
    return true;
}

bool IsWindow(Hwnd window) { return Alive(window); }

bool ShowWindow(Hwnd window, int command) {
    if (!Alive(window)) return false;
    bool was = window->visible;
    window->visible = command != SW_HIDE;
    SyncScreenWindow(window);
    return was;
}

bool UpdateWindow(Hwnd window) { return Alive(window); }

bool IsWindowVisible(Hwnd window) { return Alive(window) && window->visible; }

uint32_t GetWindowLong(Hwnd window, int index) {
    if (!Alive(window)) return 0;
    if (index == GWL_STYLE) return window->style;
    if (index == GWL_EXSTYLE) return window->exStyle;
    return 0;
}

uint32_t SetWindowLong(Hwnd window, int index, uint32_t value) {
    if (!Alive(window)) return 0;
    uint32_t* field = index == GWL_STYLE     ? &window->style
                      : index == GWL_EXSTYLE ? &window->exStyle
                                             : nullptr;
    if (!field) return 0;
    uint32_t old = *field;
    *field = value;
    SyncScreenWindow(window);
    return old;
}

bool SetWindowPos(Hwnd window, Hwnd insertAfter, int32_t x, int32_t y, int32_t width,
                  int32_t height, uint32_t flags) {
    if (!Alive(window)) return false;
    Rect r = window->rect;
    if (!(flags & SWP_NOMOVE)) r = Rect{x, y, x + Width(r), y + Height(r)};
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, width);
        r.bottom = r.top + std::max(0, height);
    }
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) window->exStyle &= ~WS_EX_TOPMOST;
    }
    bool moved = r.left != window->rect.left || r.top != window->rect.top;
    bool sized = Width(r) != Width(window->rect) || Height(r) != Height(window->rect);
    window->rect = r;
    NoteClientSize(window);
    SyncScreenWindow(window);
    if (moved) SendMessage(window, WM_MOVE, 0, MakeLParam(r.left, r.top));
    if (sized && Alive(window)) SendMessage(window, WM_SIZE, 0, MakeLParam(Width(r), Height(r)));
    return true;
}

bool GetClientRect(Hwnd window, Rect* rect) {
    if (!Alive(window) || !rect) return false;
    *rect = Rect{0, 0, Width(window->rect), Height(window->rect)};
    return true;
}

bool GetWindowRect(Hwnd window, Rect* rect) {
    if (!Alive(window) || !rect) return false;
    *rect = window->rect;
    return true;
}

bool ClientToScreen(Hwnd window, Point* point) { return Alive(window) && point; }

bool AdjustWindowRectEx(Rect* rect, uint32_t, bool, uint32_t) { return rect != nullptr; }

bool IsTopmost(Hwnd window) { return Alive(window) && (window->exStyle & WS_EX_TOPMOST); }

bool PeekMessage(Msg* msg, Hwnd window, uint32_t first, uint32_t last, uint32_t remove) {
    if (!msg) return false;
    PumpEvents();
    for (auto it = gQueue.begin(); it != gQueue.end(); ++it) {
        if (!InFilter(*it, window, first, last)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) gQueue.erase(it);
        return true;
    }
    if (gQuitPosted && !window && InFilter(MakeMsg(nullptr, WM_QUIT, 0, 0), nullptr, first, last)) {
        *msg = MakeMsg(nullptr, WM_QUIT, static_cast<WParam>(gQuitCode), 0);
        if (remove & PM_REMOVE) gQuitPosted = false;
        return true;
    }
    const uint32_t now = Milliseconds();
    for (Timer& t : gTimers) {
        if (static_cast<int32_t>(now - t.due) < 0) continue;
        Msg tick = MakeMsg(t.window, WM_TIMER, t.id, 0);
        if (!InFilter(tick, window, first, last)) continue;
        *msg = tick;
        if (remove & PM_REMOVE) {
            // The next tick falls on the timer's own beat after now; missed beats are dropped.
            uint32_t late = now - t.due;
            t.due += (late / t.period + 1) * t.period;
        }
        return true;
    }
    return false;
}

bool TranslateMessage(const Msg* msg) {
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN);
}

LResult DispatchMessage(const Msg* msg) {
    if (!msg || !Alive(msg->hwnd)) return 0;
    return msg->hwnd->windowClass.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LResult SendMessage(Hwnd window, uint32_t message, WParam wParam, LParam lParam) {
    if (!Alive(window)) return 0;
    return window->windowClass.proc(window, message, wParam, lParam);
}

bool PostMessage(Hwnd window, uint32_t message, WParam wParam, LParam lParam) {
    if (window && !Alive(window)) return false;
    gQueue.push_back(MakeMsg(window, message, wParam, lParam));
    return true;
}

void PostQuitMessage(int exitCode) {
    gQuitPosted = true;
    gQuitCode = exitCode;
}

LResult DefWindowProc(Hwnd window, uint32_t message, WParam, LParam) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

uintptr_t SetTimer(Hwnd window, uintptr_t id, uint32_t period, void*) {
    if (TakeFault("SetTimer")) return 0;
    if (!Alive(window) || id == 0) return 0;
    period = std::max<uint32_t>(period, 1);
    KillTimer(window, id);
    gTimers.push_back(Timer{window, id, period, Milliseconds() + period});
    return id;
}

bool KillTimer(Hwnd window, uintptr_t id) {
    auto it = std::find_if(gTimers.begin(), gTimers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == gTimers.end()) return false;
    gTimers.erase(it);
    return true;
}

Hwnd MainWindowHandle() {
    for (auto it = gWindows.rbegin(); it != gWindows.rend(); ++it) {
        if ((*it)->alive) return it->get();
    }
    return nullptr;
}

void ResetWindows() {
    for (auto& w : gWindows) {
        if (w->sdl) {
            ForgetScreenWindow(w->sdl);
            SDL_DestroyWindow(w->sdl);
        }
    }
    gWindows.clear();
    gClasses.clear();
    gQueue.clear();
    gTimers.clear();
    gQuitPosted = false;
    gQuitCode = 0;
    SetClientSize(Size{static_cast<int32_t>(DefaultClient.width),
                       static_cast<int32_t>(DefaultClient.height)});
}

void QueueInputMessage(uint32_t message, WParam wParam, LParam lParam) {
    Hwnd main = MainWindowHandle();
    if (main) gQueue.push_back(MakeMsg(main, message, wParam, lParam));
}

}  // namespace platform
