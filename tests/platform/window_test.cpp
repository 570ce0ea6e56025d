#include <gtest/gtest.h>

#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/window.h"

using namespace platform;

namespace {

struct Seen {
    uint32_t message;
    WParam wParam;
    LParam lParam;
};
std::vector<Seen> gSeen;

LResult Proc(Hwnd w, uint32_t message, WParam wParam, LParam lParam) {
    gSeen.push_back({message, wParam, lParam});
    if (message == WM_DESTROY) {
        EXPECT_FALSE(DestroyWindow(w)) << "a window is destroyed once";
        PostQuitMessage(7);
    }
    return DefWindowProc(w, message, wParam, lParam);
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeadless(true);
        ResetWindows();
        ResetInput();
        UseFakeClock(true, 10000);
        gSeen.clear();
        WindowClass cls;
        cls.style = CS_HREDRAW | CS_VREDRAW;
        cls.proc = Proc;
        cls.className = "Test";
        ASSERT_TRUE(RegisterClass(cls));
        window = CreateWindowEx(WS_EX_TOPMOST, "Test", "Test", WS_POPUP | WS_SYSMENU, 0, 0, 1, 1);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(gSeen.size(), 1u);
        EXPECT_EQ(gSeen[0].message, uint32_t(WM_CREATE));
        gSeen.clear();
    }
    void TearDown() override {
        ResetWindows();
        ResetInput();
        UseFakeClock(false);
        ClearFaults();
    }

    // Every message waiting, taken one per call as the main loop does.
    std::vector<Msg> Drain() {
        std::vector<Msg> out;
        Msg m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            out.push_back(m);
            if (m.message == WM_QUIT) break;
        }
        return out;
    }

    Hwnd window = nullptr;
};

TEST_F(Windows, OnePeekTakesOneMessageInArrivalOrderAndQuitComesLast) {
    PostQuitMessage(3);
    PostMessage(window, WM_ACTIVATE, 1, 0);
    InjectKey(SDL_SCANCODE_SPACE, true);
    PostMessage(window, WM_SIZE, 2, 0);

    Msg m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_ACTIVATE));
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_ACTIVATE));
    EXPECT_TRUE(gSeen.empty()) << "peeking dispatches nothing";
    DispatchMessage(&m);
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].wParam, 1u);

    std::vector<Msg> rest = Drain();
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0].message, uint32_t(WM_KEYDOWN));
    EXPECT_EQ(rest[0].wParam, WParam(VK_SPACE));
    EXPECT_EQ(rest[1].message, uint32_t(WM_SIZE));
    EXPECT_EQ(rest[2].message, uint32_t(WM_QUIT));
    EXPECT_EQ(rest[2].wParam, 3u);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Windows, DestructionIsSynchronousAndDropsTheWindowsMessages) {
    InjectKey(SDL_SCANCODE_F5, true);
    ASSERT_TRUE(DestroyWindow(window));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].message, uint32_t(WM_DESTROY));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(SendMessage(window, WM_TIMER, 1, 0), 0);
    EXPECT_EQ(gSeen.size(), 1u);

    std::vector<Msg> rest = Drain();
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].message, uint32_t(WM_QUIT));
    EXPECT_EQ(rest[0].wParam, 7u);
}

TEST_F(Windows, CloseRequestBecomesDestructionThroughTheDefaultProcedure) {
    InjectCloseRequest();
    Msg m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_CLOSE));
    DispatchMessage(&m);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(gSeen.size(), 2u);
    EXPECT_EQ(gSeen[1].message, uint32_t(WM_DESTROY));
}

TEST_F(Windows, KeysArriveWithWindowsCodes) {
    struct Case {
        SDL_Scancode key;
        uint16_t mods;
        uint32_t downMessage;
        int vk;
    };
    const Case cases[] = {
        {SDL_SCANCODE_F1, KMOD_NONE, WM_KEYDOWN, VK_F1},
        {SDL_SCANCODE_F10, KMOD_NONE, WM_KEYDOWN, VK_F10},
        {SDL_SCANCODE_F12, KMOD_NONE, WM_KEYDOWN, VK_F12},
        {SDL_SCANCODE_KP_8, KMOD_NUM, WM_KEYDOWN, VK_NUMPAD8},
        {SDL_SCANCODE_KP_8, KMOD_NONE, WM_KEYDOWN, VK_UP},
        {SDL_SCANCODE_KP_5, KMOD_NUM, WM_KEYDOWN, VK_NUMPAD5},
        {SDL_SCANCODE_KP_5, KMOD_NONE, WM_KEYDOWN, VK_CLEAR},
        {SDL_SCANCODE_KP_0, KMOD_NONE, WM_KEYDOWN, VK_INSERT},
        {SDL_SCANCODE_KP_PERIOD, KMOD_NUM, WM_KEYDOWN, VK_DECIMAL},
        {SDL_SCANCODE_KP_PERIOD, KMOD_NONE, WM_KEYDOWN, VK_DELETE},
        {SDL_SCANCODE_KP_PLUS, KMOD_NONE, WM_KEYDOWN, VK_ADD},
        {SDL_SCANCODE_KP_MINUS, KMOD_NUM, WM_KEYDOWN, VK_SUBTRACT},
        {SDL_SCANCODE_PAGEUP, KMOD_NONE, WM_KEYDOWN, VK_PRIOR},
        {SDL_SCANCODE_F, KMOD_NONE, WM_KEYDOWN, 'F'},
        {SDL_SCANCODE_7, KMOD_NONE, WM_KEYDOWN, '7'},
        {SDL_SCANCODE_PERIOD, KMOD_NONE, WM_KEYDOWN, VK_OEM_PERIOD},
        {SDL_SCANCODE_RETURN, KMOD_LALT, WM_SYSKEYDOWN, VK_RETURN},
    };
    for (const Case& c : cases) {
        InjectKey(c.key, true, c.mods);
        InjectKey(c.key, false, c.mods);
        std::vector<Msg> got = Drain();
        ASSERT_EQ(got.size(), 2u) << c.vk;
        EXPECT_EQ(got[0].message, c.downMessage) << c.vk;
        EXPECT_EQ(got[0].wParam, WParam(c.vk)) << c.key;
        EXPECT_EQ(got[1].wParam, WParam(c.vk)) << c.key;
        bool sys = c.downMessage == WM_SYSKEYDOWN;
        EXPECT_EQ(got[1].message, sys ? uint32_t(WM_SYSKEYUP) : uint32_t(WM_KEYUP)) << c.vk;
        EXPECT_EQ(uint32_t(got[0].lParam) & KF_UP_BIT, 0u);
        EXPECT_NE(uint32_t(got[1].lParam) & KF_UP_BIT, 0u);
        EXPECT_EQ((uint32_t(got[0].lParam) & KF_ALTDOWN_BIT) != 0, sys);
    }
}

TEST_F(Windows, AsyncKeyStateLatchesPressesBetweenReads) {
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
    // A tap that starts and ends between two reads is still seen once.
    InjectKey(SDL_SCANCODE_ESCAPE, true);
    InjectKey(SDL_SCANCODE_ESCAPE, false);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), KEY_PRESSED_SINCE);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
    // A held key: down each time, latched only the first.
    InjectKey(SDL_SCANCODE_UP, true);
    EXPECT_EQ(GetAsyncKeyState(VK_UP), int16_t(KEY_DOWN_NOW | KEY_PRESSED_SINCE));
    EXPECT_EQ(GetAsyncKeyState(VK_UP), KEY_DOWN_NOW);
    EXPECT_EQ(GetAsyncKeyState(VK_NUMPAD8), 0);
    // Its repeats are no new presses.
    InjectKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
    EXPECT_EQ(GetAsyncKeyState(VK_UP), KEY_DOWN_NOW);
    InjectKey(SDL_SCANCODE_UP, false);
    EXPECT_EQ(GetAsyncKeyState(VK_UP), 0);
    EXPECT_EQ(GetAsyncKeyState(-1), 0);
    EXPECT_EQ(GetAsyncKeyState(999), 0);
}

TEST_F(Windows, MouseMessagesAndCursorPositionAndVisibilityCount) {
    ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER));
    InjectMouseMove(100, 50);
    InjectMouseButton(SDL_BUTTON_LEFT, true, 101, 52);
    InjectMouseButton(SDL_BUTTON_RIGHT, true, 101, 52);
    InjectMouseButton(SDL_BUTTON_RIGHT, false, 101, 52);
    InjectMouseButton(SDL_BUTTON_LEFT, false, 5000, -3);  // outside: kept at the edge
    std::vector<Msg> got = Drain();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].message, uint32_t(WM_MOUSEMOVE));
    EXPECT_EQ(LowWord(got[0].lParam), 100);
    EXPECT_EQ(HighWord(got[0].lParam), 50);
    EXPECT_EQ(got[1].message, uint32_t(WM_LBUTTONDOWN));
    EXPECT_EQ(got[1].wParam & MK_LBUTTON, WParam(MK_LBUTTON));
    EXPECT_EQ(got[2].message, uint32_t(WM_RBUTTONDOWN));
    EXPECT_EQ(got[3].message, uint32_t(WM_RBUTTONUP));
    EXPECT_EQ(got[4].message, uint32_t(WM_LBUTTONUP));
    Point p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 639);
    EXPECT_EQ(p.y, 0);

    EXPECT_TRUE(CursorVisible());
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_FALSE(CursorVisible());
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_TRUE(CursorVisible());
}

TEST_F(Windows, TimerTicksOnItsBeatCoalescesMissedTicksAndWaitsBehindOtherMessages) {
    EXPECT_EQ(SetTimer(window, 1, 1000), 1u);
    Msg m;
    AdvanceFakeClock(999);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    AdvanceFakeClock(1);
    PostMessage(window, WM_MOVE, 0, 0);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_MOVE));
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_TIMER));
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(m.hwnd, window);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));

    AdvanceFakeClock(3500);  // three beats missed: one tick
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, uint32_t(WM_TIMER));
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    AdvanceFakeClock(499);  // the beat stays on whole seconds from the start
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    AdvanceFakeClock(1);
    EXPECT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));

    EXPECT_TRUE(KillTimer(window, 1));
    AdvanceFakeClock(5000);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));

    InjectFault("SetTimer", 1);
    EXPECT_EQ(SetTimer(window, 1, 1000), 0u);
}

TEST_F(Windows, RestylingAndSizingReachTheProcedureAndTheClientArea) {
    uint32_t style = GetWindowLong(window, GWL_STYLE);
    EXPECT_EQ(SetWindowLong(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CAPTION | WS_THICKFRAME),
              style);
    ASSERT_TRUE(SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOACTIVATE));
    EXPECT_FALSE(IsTopmost(window));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].message, uint32_t(WM_SIZE));
    Rect client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    Point corner{640, 480};
    ASSERT_TRUE(ClientToScreen(window, &corner));
    EXPECT_EQ(corner.x, 640);
    ASSERT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(IsTopmost(window));
}

}  // namespace
