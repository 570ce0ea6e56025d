// The dialog manager's inside: the state of an open dialog, the kinds of button, and the doing
// of an action. Shared with the dialog's screen window (dialog_screen_detail.h).
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/dialog_window.h"

namespace platform::dialog {

struct Control {
    DialogItem item;
    std::vector<std::string> rows;   // list boxes
    int selection = -1;              // list boxes: the selected row, -1 none
    bool checked = false;            // buttons
    bool scrollToSelection = false;  // list boxes: the selection moved by keyboard or program
};

struct DialogState {
    DialogTemplate dialogTemplate;
    DialogProc proc = nullptr;
    std::vector<Control> controls;
    int focus = -1;  // index into controls
    bool ended = false;
    intptr_t result = 0;
    std::deque<DialogAction> actions;
};

inline Hwnd HandleOf(DialogState& state) { return reinterpret_cast<Hwnd>(&state); }

inline uint32_t ButtonKind(const DialogItem& item) { return item.style & 0xF; }
bool IsPushButton(const DialogItem& item);
bool IsDefaultButton(const DialogItem& item);
bool IsRadioButton(const DialogItem& item);
bool IsGroupBox(const DialogItem& item);

// Does what the action stands for and sends the procedure its messages. Capture does nothing
// here; the screen window takes its pictures itself.
void Perform(DialogState& state, const DialogAction& action);

}  // namespace platform::dialog
