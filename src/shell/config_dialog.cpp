#include "shell/config_dialog.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/report_error.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "shell/direct_x.h"
#include "shell/messages.h"

char ScriptFileName[ScriptFileNameSize] = "";
std::string ScriptFileList[MaxScriptFiles];
int ScriptFileCount = 0;
int32_t DisplayChoice = 2;

namespace {

using platform::BS_AUTORADIOBUTTON;
using platform::BS_DEFPUSHBUTTON;
using platform::BS_GROUPBOX;
using platform::BS_PUSHBUTTON;
using platform::ControlClass;
using platform::DialogItem;
using platform::LBS_NOINTEGRALHEIGHT;
using platform::LBS_NOTIFY;
using platform::LBS_SORT;
using platform::WS_BORDER;
using platform::WS_GROUP;
using platform::WS_TABSTOP;
using platform::WS_VSCROLL;

constexpr int FullScreenChoice = 1;
constexpr int WindowChoice = 2;

platform::DialogTemplate MakeTemplate() {
    constexpr uint32_t List =
        LBS_NOTIFY | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
    platform::DialogTemplate t;
    t.title = ConfigTitle;
    t.style = platform::WS_CAPTION | platform::WS_SYSMENU | platform::DS_MODALFRAME;
    t.x = 22;
    t.y = 17;
    t.cx = 174;
    t.cy = 123;
    t.items = {
        DialogItem{ControlClass::Button, platform::IDOK, ConfigOk,
                   BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 137, 93, 33, 13},
        DialogItem{ControlClass::Button, platform::IDCANCEL, ConfigCancel,
                   BS_PUSHBUTTON | WS_TABSTOP, 137, 108, 33, 14},
        DialogItem{ControlClass::ListBox, DisplayModeListId, "", List | LBS_SORT, 5, 23, 65, 49},
        DialogItem{ControlClass::Button, -1, ConfigDisplayModes, BS_GROUPBOX, 2, 13, 71, 62},
        DialogItem{ControlClass::ListBox, DriverListId, "", List | LBS_SORT, 7, 88, 63, 29},
        DialogItem{ControlClass::Button, -1, ConfigDrivers, BS_GROUPBOX, 2, 78, 71, 42},
        DialogItem{ControlClass::ListBox, PuzzleListId, "", List, 88, 23, 76, 62},
        DialogItem{ControlClass::Button, -1, ConfigLoadPuzzle, BS_GROUPBOX, 84, 13, 84, 76},
        DialogItem{ControlClass::Button, FullScreenButtonId, ConfigFullScreen, BS_AUTORADIOBUTTON,
                   85, 96, 48, 10},
        DialogItem{ControlClass::Button, WindowsButtonId, ConfigWindows, BS_AUTORADIOBUTTON, 85,
                   108, 46, 10},
        DialogItem{ControlClass::Static, -1, ConfigHeading, 0, 17, 3, 144, 8},
    };
    // The keyboard starts on the first tab stop, OK: Space or Enter starts the puzzle selected.
    return t;
}

void AddRow(platform::Hwnd dialog, int list, const char* text) {
    platform::SendDlgItemMessage(dialog, list, platform::LB_ADDSTRING, 0,
                                 reinterpret_cast<platform::LParam>(text));
}

void FillLists(platform::Hwnd dialog) {
    for (int i = 0; i < DisplayModeCount; ++i) {
        char row[40];
        std::snprintf(row, sizeof row, DisplayModeRowFormat, DisplayModes[i].width,
                      DisplayModes[i].height, DisplayModes[i].bpp);
        AddRow(dialog, DisplayModeListId, row);
    }
    for (int i = 0; i < DriverCount; ++i) AddRow(dialog, DriverListId, Drivers[i].description);

    // The list holds as many files as the records do; any further ones are not offered.
    ScriptFileCount = 0;
    for (const std::string& name : platform::FindFiles(".", PuzzleFilePattern)) {
        if (ScriptFileCount == MaxScriptFiles) break;
        ScriptFileList[ScriptFileCount++] = name;
        AddRow(dialog, PuzzleListId, name.c_str());
    }
}

intptr_t Ok(platform::Hwnd dialog) {
    const platform::LResult row =
        platform::SendDlgItemMessage(dialog, PuzzleListId, platform::LB_GETCURSEL, 0, 0);
    const bool chosen = row >= 0 && row < ScriptFileCount;
    // A name that does not fit is refused whole, never cut into another file's name; the
    // dialog stays open for another choice.
    if (chosen && ScriptFileList[row].size() >= ScriptFileNameSize) {
        char text[512];
        std::snprintf(text, sizeof text, ScriptNameTooLongText, ScriptFileList[row].c_str());
        platform::MessageBox(text, ErrorCaption);
        return 1;
    }
    platform::EndDialog(dialog, 1);
    FullScreen = DisplayChoice == FullScreenChoice ? 1 : 0;
    WasFullScreen = 1 - FullScreen;
    // With no script selected the name is empty, and loading it reports the failure.
    std::strcpy(ScriptFileName, chosen ? ScriptFileList[row].c_str() : "");
    return 1;
}

}  // namespace

const platform::DialogTemplate& ConfigurationDialogTemplate() {
    static const platform::DialogTemplate dialogTemplate = MakeTemplate();
    return dialogTemplate;
}

intptr_t ConfigurationDialogProc(platform::Hwnd dialog, uint32_t message, platform::WParam wParam,
                                 platform::LParam) {
    if (message == platform::WM_INITDIALOG) {
        FillLists(dialog);
        platform::SendDlgItemMessage(dialog, PuzzleListId, platform::LB_SETCURSEL, 0, 0);
        platform::CheckRadioButton(dialog, FullScreenButtonId, WindowsButtonId, WindowsButtonId);
        DisplayChoice = WindowChoice;
        return 1;
    }
    if (message != platform::WM_COMMAND) return 0;
    switch (static_cast<int>(wParam & 0xFFFF)) {
        case FullScreenButtonId: DisplayChoice = FullScreenChoice; return 0;
        case WindowsButtonId: DisplayChoice = WindowChoice; return 0;
        case platform::IDOK: return Ok(dialog);
        case platform::IDCANCEL:
            platform::EndDialog(dialog, 1);
            QuitApp();
            return 1;
        default: return 0;
    }
}
