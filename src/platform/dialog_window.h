// Modal dialogs made from a template of controls (push and radio buttons, group boxes, static
// text, list boxes) and run by a dialog procedure. The procedure gets WM_INITDIALOG, then one
// WM_COMMAND for each thing the user does, until it calls EndDialog.
//
// With a screen the dialog is a window of its own, drawn with Dear ImGui over SDL's renderer.
// Headless nothing is shown: the actions queued with QueueDialogActions are played, and a dialog
// they leave open is answered with Enter, so that nothing ever waits for a person.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/window.h"

namespace platform {

// The three kinds of control window; a button's style says which kind of button it is.
enum class ControlClass { Button, Static, ListBox };

// One control; position and size are in dialog units.
struct DialogItem {
    ControlClass controlClass = ControlClass::Static;
    int id = -1;  // -1 for controls that send nothing (static text, group boxes)
    std::string text;
    uint32_t style = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t cx = 0;
    int16_t cy = 0;
};

struct DialogTemplate {
    std::string title;
    uint32_t style = 0;
    int16_t x = 0;  // from the owner's top-left corner, in dialog units
    int16_t y = 0;
    int16_t cx = 0;
    int16_t cy = 0;
    std::vector<DialogItem> items;
    // The control that has the keyboard when the dialog opens; -1: the first tab stop.
    int focusId = -1;
};

using DialogProc = intptr_t (*)(Hwnd dialog, uint32_t message, WParam wParam, LParam lParam);

// Dialog units to pixels: a quarter of the font's average character width across, an eighth
// of its height down (the dialogs' font is 8 by 16 pixels).
constexpr int DialogUnitsToPixelsX(int units) { return units * 8 / 4; }
constexpr int DialogUnitsToPixelsY(int units) { return units * 16 / 8; }

// Shows the dialog and runs it until its procedure calls EndDialog; WM_INITDIALOG carries
// `initParam`. Returns EndDialog's result, or -1 when the dialog could not be shown (or,
// headless, when neither the queued actions nor Enter ended it).
intptr_t DialogBoxParam(const DialogTemplate& dialogTemplate, Hwnd owner, DialogProc proc,
                        LParam initParam);
// Marks the dialog to close with `result` once its procedure returns. False for a handle that
// is not an open dialog.
bool EndDialog(Hwnd dialog, intptr_t result);

// Messages to one control: LB_ADDSTRING (lParam: the text; sorted in place when the list box
// has LBS_SORT), LB_SETCURSEL (-1 or a row out of range clears the selection and answers
// LB_ERR), LB_GETCURSEL, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT (lParam: a buffer of
// LB_GETTEXTLEN + 1 chars), BM_GETCHECK and BM_SETCHECK. LB_ERR for an unknown control or row.
LResult SendDlgItemMessage(Hwnd dialog, int id, uint32_t message, WParam wParam, LParam lParam);
// Checks `checkId` and clears the other buttons with ids first..last.
bool CheckRadioButton(Hwnd dialog, int firstId, int lastId, int checkId);
// The control that has the keyboard; -1 when none.
int FocusedControl(Hwnd dialog);

// What a person does in a dialog. Played headless, and on a screen before live input (one a
// frame, after the first frame is drawn).
struct DialogAction {
    enum class Kind { Click, Select, DoubleClick, Key, Inspect, Capture };
    Kind kind = Kind::Click;
    int id = 0;                         // the control clicked or chosen in
    int value = 0;                      // the row (Select, DoubleClick) or the virtual key (Key)
    bool shift = false;                 // Key: with Shift held
    std::function<void(Hwnd)> inspect;  // Inspect: called with the open dialog
    std::string path;  // Capture: the BMP file the dialog's picture goes to (screen only)

    static DialogAction ClickOn(int id);
    static DialogAction SelectRow(int id, int row);
    static DialogAction DoubleClickRow(int id, int row);
    static DialogAction PressKey(int virtualKey, bool shift = false);
    static DialogAction Look(std::function<void(Hwnd)> inspect);
    static DialogAction CaptureTo(std::string path);
};

// Actions for the next dialog shown; each dialog takes the whole queue.
void QueueDialogActions(std::vector<DialogAction> actions);

}  // namespace platform
