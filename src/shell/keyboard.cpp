#include "shell/keyboard.h"

#include <cstring>

#include "base/build_variant.h"
#include "base/error_text.h"
#include "base/report_error.h"
#include "platform/draw_constants.h"
#include "platform/input.h"
#include "platform/result_codes.h"
#include "platform/surface.h"
#include "platform/win_constants.h"
#include "script/events.h"
#include "script/runner.h"
#include "script/states.h"
#include "shell/direct_x.h"
#include "shell/display_modes.h"
#include "shell/input.h"
#include "shell/messages.h"
#include "shell/robot_keys.h"
#include "shell/shutdown.h"
#include "world/camera_height.h"
#include "world/movement.h"
#include "world/player.h"
#include "world/visible_rooms.h"

int32_t KeyBindingTable[KeyBindingCount];

namespace {

bool Held(int key) { return platform::GetAsyncKeyState(key) != 0; }

bool HeldEither(int a, int b) { return Held(a) || Held(b); }

// Tilts the view by `step` lines, no further than the renderer draws the whole view (beyond
// that, bands at the top or bottom would stay undrawn), and shifts the scene viewport's window
// with the horizon, as the software renderer shifts its own.
void TiltView(int step) {
    HorizonOffset = WholeViewHorizon(HorizonOffset + step);
    const platform::HResult result = BandSceneViewport();
    if (platform::Failed(result)) {
        ReportError(ViewportBandingFailedText, ErrorToString(result));
    }
}

// The horizon centred and the eye at its standard height, also in no cube (where the eye is
// put above a floor at the next step into one); 0 when the viewport refused.
int ResetView() {
    HorizonOffset = 0;
    EyeHeight = SecondBuild ? SecondBuildResetEyeHeight : ResetEyeHeight;
    const platform::HResult result = BandSceneViewport();
    if (platform::Failed(result)) {
        ReportError(ViewportRestoreFailedText, ErrorToString(result));
        return 0;
    }
    UpdateCameraHeight(CurrentCube);
    return 1;
}

// Between full screen and window; only on the primary display device.
void ToggleFullScreen() {
    if (PrimaryDevice != 1) {
        return;
    }
    FullScreen = !FullScreen;
    DisplayModeCount = 0;
    // A mode that cannot be applied has ended the game as a fault.
    if (!ApplyDisplayMode()) {
        ShutdownApp();
    }
}

// Space: none, the frame rate, both, none again.
void CycleStatusDisplays() {
    if (ShowFrameRate && ShowInfo) {
        ShowFrameRate = 0;
        ShowInfo = 0;
    } else if (ShowFrameRate || ShowInfo) {
        ShowInfo = 1;
    } else {
        ShowFrameRate = 1;
    }
}

void ToggleFaces() {
    ShowFaces = !ShowFaces;
    if (BackBuffer) {
        platform::BltFx fx;
        fx.fillColor = 0;
        BackBuffer->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL | platform::DDBLT_WAIT,
                        &fx);
    }
}

// A function key runs the state the script bound to it, from its start to its end, as an
// event runs its state.
void RunBoundState(int key) {
    const int state = KeyBindingTable[key];
    if (state >= 0) {
        StopFlag = 0;
        ExecState(state);
    }
}

void LoadNextRoomScript() {
    ResetLevel();
    const char* name = RoomScriptToggle == 0 ? FirstRoomScript : SecondRoomScript;
    RoomScriptToggle = RoomScriptToggle == 0 ? 1 : 0;
    LoadScript(name);
}

// Keys that switch something or start a script act once per press: their repeats while held
// are taken and do nothing.
bool ActsOncePerPress(platform::WParam key) {
    using namespace platform;
    return key == VK_SPACE || key == VK_F2 || key == VK_F3 || (key >= VK_F4 && key <= VK_F11);
}

int KeyDown(platform::WParam key, platform::LParam lParam) {
    using namespace platform;
    if (key < KeyBindingCount && HandleRobotDebugKey(static_cast<int>(key))) {
        return 1;
    }
    if ((static_cast<uint32_t>(lParam) & KF_REPEAT_BIT) && ActsOncePerPress(key)) {
        return 1;
    }
    switch (key) {
        case VK_ESCAPE:
        case VK_F12: QuitApp(); return 1;
        case VK_SPACE: CycleStatusDisplays(); return 1;
        case VK_PRIOR:
        case VK_NUMPAD9: MovePlayer(MoveForwardRight); return 1;
        case VK_HOME:
        case VK_NUMPAD7: MovePlayer(MoveForwardLeft); return 1;
        case VK_NUMPAD5: return ResetView();
        case VK_F2: ToggleFaces(); return 1;
        case VK_F3: ShowObjects = !ShowObjects; return 1;
        case VK_F4:
        case VK_F5:
        case VK_F6:
        case VK_F7:
        case VK_F8:
        case VK_F9:
        case VK_F10: RunBoundState(static_cast<int>(key)); return 1;
        case VK_F11: LoadNextRoomScript(); return 1;
        default: return static_cast<int>(DefWindowProc(MainWindow, WM_KEYDOWN, key, lParam));
    }
}

}  // namespace

int SetKeyState(int virtualKey, const char* stateName) {
    if (virtualKey < 0 || virtualKey >= KeyBindingCount) {
        return -1;
    }
    KeyBindingTable[virtualKey] = FindState(stateName);
    return KeyBindingTable[virtualKey];
}

int PollKeyboard() {
    using namespace platform;
    if (HeldEither(VK_NUMPAD8, VK_UP)) {
        MovePlayer(MoveForward);
    } else if (HeldEither(VK_DOWN, VK_NUMPAD2)) {
        MovePlayer(MoveBack);
    } else if (HeldEither(VK_LEFT, VK_NUMPAD4)) {
        MovePlayer(MoveTurnLeft);
    } else if (HeldEither(VK_RIGHT, VK_NUMPAD6)) {
        MovePlayer(MoveTurnRight);
    } else if (Held(VK_ADD)) {
        EyeHeight += EyeHeightStep;
        UpdateCameraHeight(CurrentCube);
    } else if (Held(VK_SUBTRACT)) {
        EyeHeight -= EyeHeightStep;
        UpdateCameraHeight(CurrentCube);
    } else if (HeldEither(VK_INSERT, VK_NUMPAD0)) {
        TiltView(-HorizonStep);
    } else if (HeldEither(VK_DECIMAL, VK_DELETE)) {
        TiltView(HorizonStep);
    } else if (Held(VK_RETURN)) {
        ResetView();
    } else if (const int16_t f1 = GetAsyncKeyState(VK_F1)) {
        // Once per press: each switch rebuilds every surface.
        if (f1 & KEY_PRESSED_SINCE) {
            ToggleFullScreen();
        }
    } else if (Held(VK_ESCAPE)) {
        ResetLevel();
        ShutdownApp();
        QuitApp();
        return 1;
    }
    return 0;
}

int HandleKeyMessage(uint32_t message, platform::WParam virtualKey, platform::LParam lParam) {
    using namespace platform;
    switch (message) {
        case WM_KEYDOWN: return KeyDown(virtualKey, lParam);
        case WM_KEYUP: return 1;
        case WM_SYSKEYUP:
            if (virtualKey == VK_RETURN) {
                ToggleFullScreen();
                return 1;
            }
            if (virtualKey == VK_ADD || virtualKey == VK_DIVIDE) {
                // No table of further display modes is ever filled: these keys do nothing.
                return 1;
            }
            break;
        default: break;
    }
    return static_cast<int>(DefWindowProc(MainWindow, message, virtualKey, lParam));
}
