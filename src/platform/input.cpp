#include "platform/input.h"

#include <algorithm>
#include <array>

#include "platform/backend.h"
#include "platform/display.h"
#include "platform/input_detail.h"
#include "platform/presenter.h"
#include "platform/presenter_detail.h"
#include "platform/quit_signals.h"
#include "platform/surface.h"
#include "platform/win_constants.h"
#include "platform/window.h"
#include "platform/window_detail.h"

namespace platform {
namespace {

std::array<bool, 256> gDown{};
std::array<bool, 256> gLatched{};
Point gCursor;
bool gPointerInWindow = false;
bool gInputFocus = true;
int gShowCount = 0;

// Keys whose code does not depend on NumLock or the layout.
struct FixedKey {
    SDL_Scancode scancode;
    int vk;
    bool extended;
};
constexpr FixedKey FixedKeys[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, false},
    {SDL_SCANCODE_RETURN, VK_RETURN, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, true},
    {SDL_SCANCODE_SPACE, VK_SPACE, false},
    {SDL_SCANCODE_TAB, VK_TAB, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, false},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, false},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, true},
    {SDL_SCANCODE_LALT, VK_MENU, false},
    {SDL_SCANCODE_RALT, VK_MENU, true},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, false},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, false},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, true},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, true},
    {SDL_SCANCODE_END, VK_END, true},
    {SDL_SCANCODE_HOME, VK_HOME, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, true},
    {SDL_SCANCODE_UP, VK_UP, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, true},
    {SDL_SCANCODE_INSERT, VK_INSERT, true},
    {SDL_SCANCODE_DELETE, VK_DELETE, true},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, false},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, false},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, false},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, true},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, false},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, false},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},
    {SDL_SCANCODE_SLASH, VK_OEM_2, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, false},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false},
};

// The keypad's digit keys 1..9 and 0 and its point: the code with NumLock, and without.
struct PadKey {
    SDL_Scancode scancode;
    int withNumLock;
    int withoutNumLock;
};
constexpr PadKey PadKeys[] = {
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_NUMPAD1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD2, VK_DOWN},        {SDL_SCANCODE_KP_3, VK_NUMPAD3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD4, VK_LEFT},        {SDL_SCANCODE_KP_5, VK_NUMPAD5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD6, VK_RIGHT},       {SDL_SCANCODE_KP_7, VK_NUMPAD7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD8, VK_UP},          {SDL_SCANCODE_KP_9, VK_NUMPAD9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
};

// Pointer position in window coordinates -> client coordinates at the primary surface's size.
Point ToClient(int32_t x, int32_t y) {
    // The primary surface's own size while there is one (a mode switched for a message box
    // leaves it as it was); else the size it would have.
    Size size = PrimarySize();
    if (const Surface* primary = PrimarySurface()) {
        size =
            Size{static_cast<int32_t>(primary->Width()), static_cast<int32_t>(primary->Height())};
    }
    Point p{x, y};
    if (!Headless()) {
        SDL_Window* window = SdlWindowOf(MainWindowHandle());
        if (window) {
            SDL_Rect area = PictureArea(window);
            if (area.w > 0 && area.h > 0) {
                p.x = static_cast<int32_t>(int64_t{x - area.x} * size.cx / area.w);
                p.y = static_cast<int32_t>(int64_t{y - area.y} * size.cy / area.h);
            }
        }
    }
    p.x = std::clamp(p.x, 0, std::max(0, size.cx - 1));
    p.y = std::clamp(p.y, 0, std::max(0, size.cy - 1));
    return p;
}

WParam ButtonBits() {
    WParam bits = 0;
    if (gDown[VK_LBUTTON]) bits |= MK_LBUTTON;
    if (gDown[VK_RBUTTON]) bits |= MK_RBUTTON;
    if (gDown[VK_SHIFT]) bits |= MK_SHIFT;
    if (gDown[VK_CONTROL]) bits |= MK_CONTROL;
    return bits;
}

void SetKey(int vk, bool down) {
    // A held key's own repeats are no new presses.
    if (down && !gDown[vk]) gLatched[vk] = true;
    gDown[vk] = down;
}

void OnKey(const SDL_KeyboardEvent& key) {
    bool extended = false;
    int vk = VirtualKeyOf(key.keysym.scancode, key.keysym.sym, key.keysym.mod, &extended);
    if (vk == 0) return;
    const bool down = key.type == SDL_KEYDOWN;
    SetKey(vk, down);
    // With Alt held a key is a system key; F10 stays a plain key so that it can be bound.
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
    uint32_t message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t bits = 1;  // repeat count
    if (extended) bits |= KF_EXTENDED_BIT;
    if (alt) bits |= KF_ALTDOWN_BIT;
    if (!down || key.repeat) bits |= KF_REPEAT_BIT;
    if (!down) bits |= KF_UP_BIT;
    QueueInputMessage(message, static_cast<WParam>(vk), static_cast<LParam>(bits));
}

void OnPointer(int32_t x, int32_t y, uint32_t message) {
    gCursor = ToClient(x, y);
    gPointerInWindow = true;
    QueueInputMessage(message, ButtonBits(), MakeLParam(gCursor.x, gCursor.y));
}

}  // namespace

int VirtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers, bool* extended) {
    if (extended) *extended = false;
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + (scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_0) return '0';
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return VK_F1 + (scancode - SDL_SCANCODE_F1);
    }
    for (const PadKey& k : PadKeys) {
        if (k.scancode == scancode)
            return (modifiers & KMOD_NUM) ? k.withNumLock : k.withoutNumLock;
    }
    for (const FixedKey& k : FixedKeys) {
        if (k.scancode == scancode) {
            if (extended) *extended = k.extended;
            return k.vk;
        }
    }
    return 0;
}

void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: OnKey(event.key); break;
        case SDL_MOUSEMOTION: OnPointer(event.motion.x, event.motion.y, WM_MOUSEMOVE); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            if (event.button.button == SDL_BUTTON_LEFT) {
                SetKey(VK_LBUTTON, down);
                OnPointer(event.button.x, event.button.y, down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
            } else if (event.button.button == SDL_BUTTON_RIGHT) {
                SetKey(VK_RBUTTON, down);
                OnPointer(event.button.x, event.button.y, down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
            }
            break;
        }
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                QueueInputMessage(WM_CLOSE, 0, 0);
            } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
                gPointerInWindow = false;
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                       event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                gInputFocus = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                RedrawPresented();
            }
            break;
        case SDL_QUIT: QueueInputMessage(WM_CLOSE, 0, 0); break;
        default: break;
    }
}

void PumpEvents() {
    // A quit signal asks the main window to close, as its close box does.
    if (MainWindowHandle() && TakeQuitSignal()) QueueInputMessage(WM_CLOSE, 0, 0);
    if (Headless()) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
}

int16_t GetAsyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    PumpEvents();
    int16_t state = 0;
    if (gDown[virtualKey]) state |= KEY_DOWN_NOW;
    if (gLatched[virtualKey]) state |= KEY_PRESSED_SINCE;
    gLatched[virtualKey] = false;
    return state;
}

bool GetCursorPos(Point* point) {
    if (!point) return false;
    *point = gCursor;
    return true;
}

bool PointerInWindow() {
    // Once the window has been hidden and shown again (as a display mode is applied), SDL may
    // report the pointer's leaving only as a last move on the window's edge: its mouse focus
    // still tells whether the pointer is over the window.
    if (gPointerInWindow && !Headless()) {
        SDL_Window* window = SdlWindowOf(MainWindowHandle());
        if (window && SDL_GetMouseFocus() != window) return false;
    }
    return gPointerInWindow;
}

bool HasInputFocus() { return gInputFocus; }

int ShowCursor(bool show) {
    gShowCount += show ? 1 : -1;
    if (!Headless() && SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_ShowCursor(gShowCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return gShowCount;
}

bool CursorVisible() { return gShowCount >= 0; }

void ResetInput() {
    gDown.fill(false);
    gLatched.fill(false);
    gCursor = Point{};
    gPointerInWindow = false;
    gInputFocus = true;
    gShowCount = 0;
}

}  // namespace platform
