#include "bindings/keywords_actions.h"

#include <iterator>
#include <string>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "base/graphics_objects.h"
#include "bindings/camera_commands.h"
#include "bindings/commands.h"
#include "platform/message_box.h"
#include "platform/palette.h"
#include "platform/random.h"
#include "platform/surface.h"
#include "script/events.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/runner.h"
#include "shell/direct_x.h"
#include "shell/input.h"
#include "shell/timers.h"
#include "world/map_object.h"

int RandomNum(int n) {
    if (n == 0) return 0;
    return platform::Rand() % n;
}

int GetClickedId() { return ClickedId == -1 ? 99 : ClickedId; }

void AnimatePalette(int first, int count) {
    for (int i = 0; i < count; ++i) {
        long entry = static_cast<long>(first) + i;
        if (entry < 0 || entry >= static_cast<long>(std::size(PaletteTable))) continue;
        platform::Palette* palette = PaletteTable[entry];
        if (!palette) continue;
        if (BackBuffer) BackBuffer->SetPalette(palette);
        if (!FrontBuffer || platform::Failed(FrontBuffer->SetPalette(palette)))
            platform::MessageBox(MsgSetPaletteFailed, CaptionError);
    }
}

int CheckUpdateState() {
    if (UpdateStateFlag == 0) return -1;
    UpdateStateFlag = 0;
    return MoverChannelRow(CurrentMoverChannel);
}

int RotateAnimObj(int kind, int entry, int a, float yawDegrees, int b) {
    if (kind != AnimCharacterMotion || entry < 0 || entry >= AnimObjCount) return 0;
    int row = AnimObj[entry].row;
    if (!MotionRowUsable(row)) return 0;
    return RotateMotionObj(kind, row, a, yawDegrees, b);
}

namespace {

// The keyword's value for an assignment: 0 when no move has ended (or the camera's did), 1 for
// a character of an even motion-table row, 2 for an odd one.
int UpdateStateValue() {
    int row = CheckUpdateState();
    if (row < 0) return 0;
    return row % 2 == 0 ? 1 : 2;
}

}  // namespace

void ExecKeyword(int keyword, const ParsedStatement& s) {
    switch (keyword) {
        case KeywordSwapTexture: SwapTexture(IntArg(s, 0), IntArg(s, 1)); break;
        case KeywordSwapDeco: SwapDeco(IntArg(s, 0), IntArg(s, 1)); break;
        case KeywordSetCursor: SetActiveCursor(IntArg(s, 0)); break;
        case KeywordCheckActiveObj: ReturnValue = GetClickedId(); break;
        case KeywordUpdateDoor: UpdateDoor(IntArg(s, 0), IntArg(s, 1), FloatArg(s, 2)); break;
        case KeywordRandomNum: ReturnValue = RandomNum(IntArg(s, 0)); break;
        case KeywordSpriteAnim: SpriteAnim(IntArg(s, 0), IntArg(s, 1)); break;
        case KeywordCheckActiveCursor: ReturnValue = GetActiveCursor(); break;
        case KeywordCheckMotionState: ReturnValue = GetMotionEventArg(IntArg(s, 0)); break;
        case KeywordUnused: {
            Parsed.TokenCount = 1;
            std::string name = WordArg(s, 1);
            LoadPalette(name.c_str());
            break;
        }
        case KeywordAnimatePalette: AnimatePalette(IntArg(s, 0), IntArg(s, 1)); break;
        case KeywordCheckTimer: ReturnValue = GetFiredTimer(); break;
        case KeywordInitTimer: ResetScriptTimers(); break;
        case KeywordSetTimer:
            SetScriptTimer(IntArg(s, 0), IntArg(s, 1), IntArg(s, 2), IntArg(s, 3));
            break;
        case KeywordToggleTimer: EnableScriptTimers(IntArg(s, 0)); break;
        case KeywordCheckUpdateState: ReturnValue = UpdateStateValue(); break;
        case KeywordReturnHotSpot: ReturnValue = GetHotSpotEventArg(IntArg(s, 0)); break;
        case KeywordMoveCamera:
            SetCameraPath(IntArg(s, 0), IntArg(s, 1), FloatArg(s, 2), IntArg(s, 3));
            break;
        case KeywordCheckHotSpot: {
            // The statement gives the mode first, then the hot spot.
            int out = -1;
            CheckHotSpots(IntArg(s, 1), IntArg(s, 0), &out);
            ReturnValue = out;
            break;
        }
        case KeywordRotateObj:
            RotateAnimObj(6, IntArg(s, 0), IntArg(s, 1), FloatArg(s, 2), IntArg(s, 3));
            break;
        default: break;  // loadMesh and the keywords the parser handles itself
    }
}
