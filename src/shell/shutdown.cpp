// The level reset, the release routines, the one-time shutdown and the quit entry.
#include "shell/shutdown.h"

#include <cstring>

#include "anim/reset.h"
#include "base/report_error.h"
#include "planner/robot_control.h"
#include "platform/input.h"
#include "platform/window.h"
#include "script/runner.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "shell/sound.h"
#include "world/reset.h"

namespace {

template <class T>
void Release(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

// The objects made for a display mode, in the order they go.
void ReleaseModeObjects() {
    Release(RMViewport);
    Release(RMDevice);
    Release(RMWinDevice);
    for (platform::Palette*& palette : PaletteTable) Release(palette);
    Release(Clipper);
    Release(D3DViewport);
    Release(D3DDevice);
    Release(InfoSurface);
    Release(FrameRateSurface);
    Release(ZBuffer);
    Release(BackBuffer);
    Release(FrontBuffer);
    Release(D3DObject);
}

}  // namespace

int ResetLevel() {
    ResetWorld();
    ResetSceneAnimation();
    IdleRobots();
    FreeSounds(0);
    FreeOverlayImages(1);
    OverlayItemCount = 1;
    CursorItem = 0;
    for (int32_t& binding : KeyBindingTable) binding = -1;
    return 1;
}

void ReleaseRenderObjects() {
    RenderingStopped = 1;
    CursorItem = 0;
    ReleaseModeObjects();
}

void ReleaseAll() {
    RenderingStopped = 1;
    ReleaseModeObjects();
    Release(RMObject);
    Release(DDrawObject);
}

int ShutdownApp() {
    if (QuitDone) return 0;
    Release(SceneFrame);
    Release(CameraFrame);
    // The world frame's own reference goes too, so that no frame outlives the scene.
    Release(WorldFrame);
    ReleaseAll();
    platform::ShowCursor(true);
    QuitDone = 1;
    platform::PostQuitMessage(ExitStatus());
    return 1;
}
