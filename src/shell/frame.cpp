// One pass of the main loop: the game update and the frame.
#include "shell/frame.h"

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "base/error_text.h"
#include "base/report_error.h"
#include "planner/robot_control.h"
#include "platform/draw_constants.h"
#include "platform/input.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/messages.h"
#include "shell/overlays.h"
#include "shell/status_displays.h"
#include "world/map_object.h"
#include "world/visible_rooms.h"

void PerFrameUpdate() {
    if (QuitDone) return;
    int hotSpot = -1;
    CheckHotSpots(0, 2, &hotSpot);
    UpdateWorld();
    UpdateAnimObjects();
    RobotPlannerTick();
}

void RenderFrame() {
    if (QuitDone || !RMViewport) return;
    platform::HResult cleared = RMViewport->Clear();
    if (platform::Failed(cleared)) {
        ReportError(ClearViewportFailedText, ErrorToString(cleared));
        return;
    }
    DrawWorld();
    RMDevice->Update();
    PresentFrame();
}

void PresentFrame() {
    DrawFrameRate();
    DrawInfo();
    platform::Point cursor;
    platform::GetCursorPos(&cursor);
    DrawOverlay(CursorItem, cursor.x, cursor.y);
    const platform::Rect view = ViewRect();
    FrontBuffer->Blt(nullptr, BackBuffer, &view, platform::DDBLT_WAIT, nullptr);
}
