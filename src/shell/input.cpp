#include "shell/input.h"

#include <algorithm>

#include "planner/plan_config.h"
#include "platform/input.h"
#include "platform/surface.h"
#include "platform/win_constants.h"
#include "render/render_state.h"
#include "render/view.h"
#include "script/events.h"
#include "shell/direct_x.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "shell/robot_keys.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/visible_rooms.h"

int32_t ScreenBounds[4];
int32_t CursorItem = 0;
int32_t CursorNumber = 0;
int32_t CursorBase = 0;
int32_t PickCursorItem = 0;
int32_t ClickedId = -1;
int32_t ClickToggle = 0;
int32_t ShowFrameRate = 0;
int32_t ShowInfo = 0;
int32_t RoomScriptToggle = 0;

namespace {

// The cursor item for a screen position: an edge arrow outside the bounds, the script's cursor
// inside; a position exactly on a bound keeps the current item.
void FollowCursor(int x, int y) {
    const int left = ScreenBounds[0], top = ScreenBounds[1];
    const int right = ScreenBounds[2], bottom = ScreenBounds[3];
    if (x > left && x < right && y > top && y < bottom) {
        CursorItem = CursorBase + CursorNumber;
    } else if (x > right && y < top) {
        CursorItem = CursorTopRight;
    } else if (x > right && y > bottom) {
        CursorItem = CursorBottomRight;
    } else if (x < left && y < top) {
        CursorItem = CursorTopLeft;
    } else if (x < left && y > bottom) {
        CursorItem = CursorBottomLeft;
    } else if (x > right) {
        CursorItem = CursorRight;
    } else if (x < left) {
        CursorItem = CursorLeft;
    } else if (y > bottom) {
        CursorItem = CursorBottom;
    } else if (y < top) {
        CursorItem = CursorTop;
    }
}

bool IsCube(const Cube* cube, int index) { return index < CubeCount && cube == Cubes[index]; }

// A click with the pick cursor shows the next cursor, only when the script loaded one there:
// the pointer never loses its picture.
void AdvancePickCursor() {
    if (CursorItem == PickCursorItem && PickedCursorItem < OverlayItemCount) {
        CursorItem = PickedCursorItem;
        CursorNumber = PickedCursorNumber;
    } else if (CursorItem == PickedCursorItem && PickedTwiceCursorItem < OverlayItemCount) {
        CursorItem = PickedTwiceCursorItem;
        CursorNumber = PickedTwiceCursorNumber;
    }
}

void LeftClick() {
    AdvancePickCursor();
    platform::Point cursor{};
    platform::GetCursorPos(&cursor);
    PickRecord pick{nullptr, nullptr, nullptr, PickNone};
    PickObjectAt(pick, cursor.x, cursor.y);
    if (pick.kind == PickObject && pick.object) {
        ClickedId = pick.object->id;
        if (ClickedId == TogglingObjectId) {
            ClickToggle = !ClickToggle;
            SwapTexture(ToggledSpriteId, ClickToggle);
        }
    } else if (pick.kind >= PickSide && pick.kind < PickSide + CubeSides) {
        if (IsCube(pick.cube, ClickableCube)) {
            ClickedId = ClickedCubeId;
        } else if (!IsCube(pick.cube, IgnoredClickCube)) {
            ClickedId = -1;
        }
    } else {
        ClickedId = -1;
    }
    RaiseEvent();
}

void RightClick() {
    platform::ShowCursor(false);
    if (CursorItem >= PickCursorItem) {
        platform::ShowCursor(true);
        CursorItem = CursorBase;
        CursorNumber = 0;
    } else {
        CursorItem = CursorBase + CursorNumber;
        ++CursorNumber;
    }
}

}  // namespace

void ResetProcessSwitches() {
    ShowFrameRate = ShowInfo = 0;
    ResetViewSwitches();
    ResetPlanSettings();
    RoomScriptToggle = 0;
    ClickedId = -1;
    ClickToggle = 0;
    DebugEntryState = DebugIdle;
    DebugRobot = 0;
    DebugTextLength = 0;
    DebugTextX[0] = DebugTextZ[0] = 0;
}

void InitInputState() {
    CursorNumber = StartCursorNumber;
    CursorItem = StartCursorItem;
    OverlayItemCount = 1;
    CursorBase = StartCursorBase;
    PickCursorItem = StartPickCursorItem;
    ScreenBounds[0] = static_cast<int32_t>(DisplayWidth * ScreenBoundsInner);
    ScreenBounds[1] = static_cast<int32_t>(DisplayHeight * ScreenBoundsInner);
    ScreenBounds[2] = static_cast<int32_t>(DisplayWidth * ScreenBoundsOuter);
    ScreenBounds[3] = static_cast<int32_t>(DisplayHeight * ScreenBoundsOuter);
    std::fill(std::begin(KeyBindingTable), std::end(KeyBindingTable), -1);
}

int SetActiveCursor(int n) {
    CursorNumber = n;
    CursorItem = n + CursorBase;
    return CursorItem;
}

int GetActiveCursor() { return CursorNumber; }

int OnMouseMessage(uint32_t message, platform::WParam, platform::LParam) {
    using namespace platform;
    if (message == WM_MOUSEMOVE) {
        Point cursor{};
        GetCursorPos(&cursor);
        FollowCursor(cursor.x, cursor.y);
    } else if (message == WM_LBUTTONDOWN) {
        LeftClick();
    } else if (message == WM_RBUTTONDOWN) {
        RightClick();
    }
    return 1;
}

void PickObjectAt(PickRecord& picker, int x, int y) {
    picker = {nullptr, nullptr, nullptr, PickNone};
    if (!BackBuffer || ViewWidth <= 0 || ViewHeight <= 0) {
        return;
    }
    const int64_t wb = BackBuffer->Width();
    const int64_t hb = BackBuffer->Height();
    if (wb <= 0 || hb <= 0) {
        return;
    }
    const int64_t px = x * int64_t{ViewWidth} / wb;
    const int64_t py = y * int64_t{ViewHeight} / hb;
    if (px < 0 || py < 0 || px >= ViewWidth || py >= ViewHeight) {
        // Outside the drawn view there is nothing to pick.
        return;
    }
    if (!InitRenderViewport(BackBuffer, {0, 0, ViewWidth - 1, ViewHeight - 1})) {
        return;
    }
    const int cx = static_cast<int>(px), cy = static_cast<int>(py);
    SetRenderCamera(PlayerX, PlayerY, PlayerZ, PlayerHeading, HorizonOffset, 256);
    const RenderRect one{cx, cy, cx + 1, cy + 1};
    SetClipRect(&one);
    picker.pixel = FrameBuffer + static_cast<ptrdiff_t>(cy) * BackBuffer->Pitch() + cx;
    *picker.pixel = 0;
    if (BuildVisibleRoomList()) {
        FindPickedObject(picker);
    }
    ClearRoomVisits();
    BackBuffer->Unlock();
}
