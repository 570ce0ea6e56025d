// Windows and their messages: window classes with a window procedure, a message queue read
// without waiting (PeekMessage), dispatch, sent and posted messages, the quit message, and
// timers delivered as WM_TIMER. One thread; nothing arrives except through these calls.
#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"
#include "platform/win_constants.h"

namespace platform {

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;
using WindowProc = LResult (*)(Hwnd window, uint32_t message, WParam wParam, LParam lParam);

// The insert-after handles of SetWindowPos.
inline const Hwnd HWND_TOPMOST = reinterpret_cast<Hwnd>(static_cast<intptr_t>(-1));
inline const Hwnd HWND_NOTOPMOST = reinterpret_cast<Hwnd>(static_cast<intptr_t>(-2));

struct WindowClass {
    uint32_t style = 0;
    WindowProc proc = nullptr;
    std::string menuName;
    std::string className;
};

struct Msg {
    Hwnd hwnd = nullptr;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;
    Point pt;
};

// The low and high 16-bit halves of a message parameter, and the two packed together.
constexpr int32_t LowWord(LParam v) { return static_cast<int16_t>(v & 0xFFFF); }
constexpr int32_t HighWord(LParam v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }
constexpr LParam MakeLParam(int32_t low, int32_t high) {
    return static_cast<LParam>((static_cast<uint32_t>(high & 0xFFFF) << 16) |
                               static_cast<uint32_t>(low & 0xFFFF));
}

// False when a class of that name exists or the class has no procedure.
bool RegisterClass(const WindowClass& windowClass);
// Creates the window and sends it WM_CREATE; null when the class is unknown or WM_CREATE
// answers -1. With a screen the window appears only when shown.
Hwnd CreateWindowEx(uint32_t exStyle, const std::string& className, const std::string& title,
                    uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                    Hwnd parent = nullptr);
// Sends WM_DESTROY before returning; the window's queued messages and timers go with it.
bool DestroyWindow(Hwnd window);
bool IsWindow(Hwnd window);
bool ShowWindow(Hwnd window, int command);
bool UpdateWindow(Hwnd window);
bool IsWindowVisible(Hwnd window);

uint32_t GetWindowLong(Hwnd window, int index);
// Returns the previous value; 0 for an unknown window or index.
uint32_t SetWindowLong(Hwnd window, int index, uint32_t value);
// Moves, sizes and orders the window; sends WM_MOVE and WM_SIZE when those change.
bool SetWindowPos(Hwnd window, Hwnd insertAfter, int32_t x, int32_t y, int32_t width,
                  int32_t height, uint32_t flags);
bool GetClientRect(Hwnd window, Rect* rect);
bool GetWindowRect(Hwnd window, Rect* rect);
// Client coordinates are the ones the program works in; the frame that the desktop draws
// around a window is outside them, so both conversions leave coordinates as they are.
bool ClientToScreen(Hwnd window, Point* point);
bool AdjustWindowRectEx(Rect* rect, uint32_t style, bool menu, uint32_t exStyle);
bool IsTopmost(Hwnd window);

// Takes (PM_REMOVE) or looks at the next message without waiting; false when there is none.
// Order: posted and input messages as they came, then WM_QUIT once posted, then due timers.
bool PeekMessage(Msg* msg, Hwnd window, uint32_t first, uint32_t last, uint32_t remove);
// Character messages are not used: translation adds nothing to the queue.
bool TranslateMessage(const Msg* msg);
LResult DispatchMessage(const Msg* msg);
LResult SendMessage(Hwnd window, uint32_t message, WParam wParam, LParam lParam);
bool PostMessage(Hwnd window, uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(int exitCode);
// WM_CLOSE destroys the window; everything else answers 0.
LResult DefWindowProc(Hwnd window, uint32_t message, WParam wParam, LParam lParam);

// A timer of `period` ms on the window; its WM_TIMER (wParam = id) comes when the queue is
// otherwise empty, and ticks missed meanwhile are coalesced into one. Returns the id, 0 on failure.
uintptr_t SetTimer(Hwnd window, uintptr_t id, uint32_t period, void* callback = nullptr);
bool KillTimer(Hwnd window, uintptr_t id);

// The window that input goes to and that the picture is shown in: the last top-level window
// created that still exists; null when none.
Hwnd MainWindowHandle();

// Destroys every window and class, empties the queue and forgets the quit message: a fresh
// start for the next test.
void ResetWindows();

// Used by the input services: queues an input message for the main window.
void QueueInputMessage(uint32_t message, WParam wParam, LParam lParam);

}  // namespace platform
