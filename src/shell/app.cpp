// Entry and start-up.
#include "shell/app.h"

#include <cstring>
#include <new>

#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/reset.h"
#include "anim/robot_movers.h"
#include "base/fault_end.h"
#include "base/handlers.h"
#include "base/messages.h"
#include "base/report_error.h"
#include "planner/robot_control.h"
#include "planner/robot_scene.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "platform/window.h"
#include "render/lighting.h"
#include "script/events.h"
#include "script/loader.h"
#include "script/runner.h"
#include "shell/bmp_surface.h"
#include "shell/camera_lights.h"
#include "shell/config_dialog.h"
#include "shell/ddraw_setup.h"
#include "shell/devices.h"
#include "shell/direct_x.h"
#include "shell/frame.h"
#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/messages.h"
#include "shell/overlays.h"
#include "shell/sound.h"
#include "shell/window_proc.h"
#include "world/camera_height.h"
#include "world/reset.h"

void* AppInstance = nullptr;
uintptr_t TimerId = 0;
int QuitDone = 0;

void InitGlobals() {
    ResetGraphicsObjects();
    ResetErrorState();
    FrontBuffer = ZBuffer = nullptr;
    Clipper = nullptr;
    for (platform::Palette*& palette : PaletteTable) palette = nullptr;
    FrameRateSurface = InfoSurface = nullptr;
    D3DObject = nullptr;
    D3DDevice = nullptr;
    D3DViewport = nullptr;
    RMDevice = RMWinDevice = nullptr;
    RenderQuality = StartRenderQuality;
    TextureQuality = platform::D3DRMTEXTURE_NEAREST;
    DitherMode = 0;
    PrimaryDevice = 1;
    DisplayModeCount = 0;
    ChosenDisplayMode = 0;
    ModeSwitching = 0;
    QuitDone = 0;
    SystemMemorySurfaces = 1;
    ColorModel = platform::D3DCOLOR_MONO;
    DirectDrawEnumerated = 0;
    DriversListed = 0;
    OverlayImageCount = FirstScriptOverlayImage;
    ResetWorld();
    ResetCameraHeight();
    ResetSceneAnimation();
    ResetMaterials();
    InitInputState();
    SetRobotScene(MoverRobotScene());
}

namespace {

int StartApp(void* instance, int showCommand) {
    if (!HandlersComplete()) {
        platform::MessageBox(HandlersIncompleteText, ErrorCaption, platform::MB_OK);
        EndedByFault = true;
        return 0;
    }
    platform::WindowClass windowClass;
    windowClass.style = platform::CS_HREDRAW | platform::CS_VREDRAW;
    windowClass.proc = MainWindowProc;
    windowClass.menuName = WindowClassName;
    windowClass.className = WindowClassName;
    platform::RegisterClass(windowClass);
    MainWindow = platform::CreateWindowEx(platform::WS_EX_TOPMOST, WindowClassName, WindowTitle,
                                          platform::WS_POPUP | platform::WS_SYSMENU, 0, 0,
                                          InitialWindowSize, InitialWindowSize);
    if (!MainWindow) {
        ReportError("%s", CreateWindowFailedText);
        EndedByFault = true;
        return 0;
    }

    FullScreen = 0;
    DisplayModeCount = 0;
    AppInstance = instance;

    TimerId = platform::SetTimer(MainWindow, SecondTimerId, SecondTimerPeriodMs);
    if (TimerId == 0) {
        platform::MessageBox(NoTimersText, MessageCaption, platform::MB_OK, true);
    }

    InitScriptEngine();
    InitGlobals();
    std::strcpy(PaletteFileName, DisplayPaletteFile);

    if (!InitDirectDraw() || !CreateD3DRM() || !CreateDevices()) {
        EndedByFault = true;
        return 0;
    }

    InitSound(MainWindow);
    SetupCameraAndLights();
    InitShadeTable();

    platform::DialogBoxParam(ConfigurationDialogTemplate(), MainWindow, ConfigurationDialogProc, 0);
    // Cancelled: the window is gone and the program is shutting down; no script is loaded.
    if (QuitRequested) return 0;

    LoadScriptFile(ScriptFileName);
    RunScript(1);
    // The start script ended the program (a fatal load fault): the loop only takes the quit
    // message, and the cursor that the shutdown showed stays shown.
    if (QuitDone) return 1;

    platform::ShowWindow(MainWindow, showCommand);
    platform::UpdateWindow(MainWindow);
    platform::ShowCursor(false);
    NormalizeDebugKeys();
    return 1;
}

bool LoopPass(platform::Msg& msg) {
    if (PollKeyboard()) {
        // Escape ends the program as the quit message does, with status 0, whatever message
        // was taken last.
        msg = platform::Msg{};
        return false;
    }
    if (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
        if (msg.message == platform::WM_QUIT) return false;
        platform::TranslateMessage(&msg);
        platform::DispatchMessage(&msg);
    }
    PerFrameUpdate();
    if (!RenderingStopped) RenderFrame();
    return true;
}

}  // namespace

// An allocation that fails anywhere in the start-up or in a pass of the loop ends the game in
// order, as a fatal load fault does.
int InitApp(void* instance, int showCommand) {
    try {
        return StartApp(instance, showCommand);
    } catch (const std::bad_alloc&) {
        EndGameOutOfMemory();
        // Once shut down, the loop only takes the quit message.
        return QuitDone ? 1 : 0;
    }
}

bool MainLoopPass(platform::Msg& msg) {
    try {
        return LoopPass(msg);
    } catch (const std::bad_alloc&) {
        EndGameOutOfMemory();
        return true;
    }
}

int WinMain(void* instance, void*, const char*, int showCommand) {
    platform::CatchQuitSignals();
    if (!InitApp(instance, showCommand)) return ExitStatus();
    platform::Msg msg;  // its wParam stays 0 until a message is taken
    while (MainLoopPass(msg)) {
    }
    return static_cast<int>(msg.wParam);
}
