// The main window's procedure.
#include "shell/window_proc.h"

#include "base/report_error.h"
#include "platform/window.h"
#include "script/wait.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/shutdown.h"
#include "shell/timers.h"

using namespace platform;

LResult MainWindowProc(Hwnd window, uint32_t message, WParam wParam, LParam lParam) {
    // Once the program has shut down, keys, clicks and ticks reach nothing: what they would
    // start uses objects that are gone.
    const bool ended = QuitDone != 0;
    switch (message) {
        case WM_CREATE:
        case WM_SIZE:
        case WM_ACTIVATE: return 0;
        case WM_DESTROY:
            RenderingStopped = 1;
            ShutdownApp();
            ReleaseAll();
            PostQuitMessage(ExitStatus());
            return 0;
        case WM_MOVE: {
            Point topLeft{0, 0};
            Point bottomRight{DisplayWidth, DisplayHeight};
            ClientToScreen(window, &topLeft);
            ClientToScreen(window, &bottomRight);
            WindowRect = Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
            return 0;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (ended) return 0;
            return HandleKeyMessage(message, wParam, lParam) ? 1 : 0;
        case WM_TIMER:
            if (!ended && TimerId != 0 && wParam == TimerId) {
                ResumeAfterWait();
                TimerTick();
            }
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            if (ended) return 0;
            return OnMouseMessage(message, wParam, lParam) ? 1 : 0;
        default: return DefWindowProc(window, message, wParam, lParam);
    }
}
