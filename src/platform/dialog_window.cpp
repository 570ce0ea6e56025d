// The dialog manager: controls and their messages, what clicks, choices and keys do, and the
// modal run (headless here; the screen window is in dialog_screen.cpp).
#include "platform/dialog_window.h"
#include "platform/dialog_window_detail.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/backend.h"
#include "platform/dialog_screen_detail.h"
#include "platform/message_box.h"

namespace platform {
namespace dialog {
namespace {

std::vector<DialogState*> gOpen;  // innermost last
std::vector<DialogAction> gQueued;

// A list row is 8 dialog units high; Page Up and Page Down move by the rows a list shows.
constexpr int ListRowUnits = 8;

DialogState* Find(Hwnd handle) {
    for (DialogState* state : gOpen) {
        if (HandleOf(*state) == handle) return state;
    }
    return nullptr;
}

Control* ControlById(DialogState& state, int id) {
    for (Control& control : state.controls) {
        if (control.item.id == id && id != -1) return &control;
    }
    return nullptr;
}

int IndexOf(const DialogState& state, const Control* control) {
    return control ? static_cast<int>(control - state.controls.data()) : -1;
}

bool Focusable(const DialogItem& item) {
    return (item.style & WS_TABSTOP) ||
           (item.controlClass == ControlClass::Button && IsRadioButton(item));
}

void Command(DialogState& state, int id, uint32_t code) {
    const WParam wParam = (static_cast<WParam>(code & 0xFFFF) << 16) | (id & 0xFFFF);
    state.proc(HandleOf(state), WM_COMMAND, wParam, 0);
}

// The run of radio buttons around `index` up to the next group start: [first, last].
std::pair<int, int> RadioGroup(const DialogState& state, int index) {
    auto radio = [&](int i) {
        return i >= 0 && i < static_cast<int>(state.controls.size()) &&
               state.controls[i].item.controlClass == ControlClass::Button &&
               IsRadioButton(state.controls[i].item);
    };
    int first = index;
    while (!(state.controls[first].item.style & WS_GROUP) && radio(first - 1)) --first;
    int last = index;
    while (radio(last + 1) && !(state.controls[last + 1].item.style & WS_GROUP)) ++last;
    return {first, last};
}

void Click(DialogState& state, Control& control) {
    if (control.item.controlClass != ControlClass::Button || IsGroupBox(control.item)) return;
    if (Focusable(control.item)) state.focus = IndexOf(state, &control);
    if (IsRadioButton(control.item)) {
        auto [first, last] = RadioGroup(state, IndexOf(state, &control));
        for (int i = first; i <= last; ++i) state.controls[i].checked = false;
        control.checked = true;
    }
    Command(state, control.item.id, BN_CLICKED);
}

void Choose(DialogState& state, Control& control, int row, bool doubleClick) {
    if (control.item.controlClass != ControlClass::ListBox) return;
    if (row < 0 || row >= static_cast<int>(control.rows.size())) return;
    state.focus = IndexOf(state, &control);
    const bool changed = control.selection != row;
    control.selection = row;
    control.scrollToSelection = true;
    if (!(control.item.style & LBS_NOTIFY)) return;
    if (changed) Command(state, control.item.id, LBN_SELCHANGE);
    if (doubleClick && !state.ended) Command(state, control.item.id, LBN_DBLCLK);
}

void MoveFocus(DialogState& state, bool backwards) {
    const int n = static_cast<int>(state.controls.size());
    for (int step = 1; step <= n; ++step) {
        const int start = state.focus < 0 ? (backwards ? 0 : -1) : state.focus;
        const int i = ((start + (backwards ? -step : step)) % n + n) % n;
        if (Focusable(state.controls[i].item)) {
            state.focus = i;
            return;
        }
    }
}

void ListKey(DialogState& state, Control& list, int key) {
    const int count = static_cast<int>(list.rows.size());
    if (count == 0) return;
    const int page = std::max(1, list.item.cy / ListRowUnits);
    const int current = list.selection;
    int row = current;
    switch (key) {
        case VK_UP: row = current < 0 ? 0 : current - 1; break;
        case VK_DOWN: row = current + 1; break;
        case VK_PRIOR: row = current - page; break;
        case VK_NEXT: row = current < 0 ? page - 1 : current + page; break;
        case VK_HOME: row = 0; break;
        case VK_END: row = count - 1; break;
        default: return;
    }
    Choose(state, list, std::clamp(row, 0, count - 1), false);
}

void RadioKey(DialogState& state, int index, int key) {
    const int delta = (key == VK_UP || key == VK_LEFT)      ? -1
                      : (key == VK_DOWN || key == VK_RIGHT) ? 1
                                                            : 0;
    if (delta == 0) return;
    auto [first, last] = RadioGroup(state, index);
    int next = index + delta;
    if (next < first) next = last;
    if (next > last) next = first;
    Click(state, state.controls[next]);
}

void Key(DialogState& state, int key, bool shift) {
    Control* focused = state.focus >= 0 ? &state.controls[state.focus] : nullptr;
    const bool onButton = focused && focused->item.controlClass == ControlClass::Button;
    switch (key) {
        case VK_ESCAPE: Command(state, IDCANCEL, BN_CLICKED); return;
        case VK_TAB: MoveFocus(state, shift); return;
        case VK_RETURN: {
            if (onButton && IsPushButton(focused->item)) {
                Click(state, *focused);
                return;
            }
            for (Control& control : state.controls) {
                if (control.item.controlClass == ControlClass::Button &&
                    IsDefaultButton(control.item)) {
                    Click(state, control);
                    return;
                }
            }
            Command(state, IDOK, BN_CLICKED);
            return;
        }
        case VK_SPACE:
            if (onButton) Click(state, *focused);
            return;
        default: break;
    }
    if (!focused) return;
    if (focused->item.controlClass == ControlClass::ListBox) ListKey(state, *focused, key);
    if (onButton && IsRadioButton(focused->item)) RadioKey(state, state.focus, key);
}

int CompareRows(const std::string& a, const std::string& b) {
    return ::strcasecmp(a.c_str(), b.c_str());
}

LResult ListMessage(Control& list, uint32_t message, WParam wParam, LParam lParam) {
    const int count = static_cast<int>(list.rows.size());
    const int row = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message) {
        case LB_ADDSTRING: {
            if (!lParam) return LB_ERR;
            std::string text = reinterpret_cast<const char*>(lParam);
            auto at = list.rows.end();
            if (list.item.style & LBS_SORT) {
                at = std::upper_bound(list.rows.begin(), list.rows.end(), text,
                                      [](const std::string& a, const std::string& b) {
                                          return CompareRows(a, b) < 0;
                                      });
            }
            const int index = static_cast<int>(at - list.rows.begin());
            list.rows.insert(at, std::move(text));
            if (list.selection >= index) ++list.selection;
            return index;
        }
        case LB_SETCURSEL:
            list.scrollToSelection = true;
            if (row < 0 || row >= count) {
                list.selection = -1;
                return LB_ERR;
            }
            list.selection = row;
            return row;
        case LB_GETCURSEL: return list.selection;
        case LB_GETCOUNT: return count;
        case LB_GETTEXTLEN:
            return row >= 0 && row < count ? static_cast<LResult>(list.rows[row].size()) : LB_ERR;
        case LB_GETTEXT:
            if (row < 0 || row >= count) return LB_ERR;
            std::memcpy(reinterpret_cast<char*>(lParam), list.rows[row].c_str(),
                        list.rows[row].size() + 1);
            return static_cast<LResult>(list.rows[row].size());
        default: return LB_ERR;
    }
}

LResult ButtonMessage(Control& button, uint32_t message, WParam wParam) {
    switch (message) {
        case BM_GETCHECK: return button.checked ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK: button.checked = wParam == BST_CHECKED; return 0;
        default: return LB_ERR;
    }
}

}  // namespace

bool IsPushButton(const DialogItem& item) {
    return ButtonKind(item) == BS_PUSHBUTTON || ButtonKind(item) == BS_DEFPUSHBUTTON;
}
bool IsDefaultButton(const DialogItem& item) { return ButtonKind(item) == BS_DEFPUSHBUTTON; }
bool IsRadioButton(const DialogItem& item) { return ButtonKind(item) == BS_AUTORADIOBUTTON; }
bool IsGroupBox(const DialogItem& item) { return ButtonKind(item) == BS_GROUPBOX; }

void Perform(DialogState& state, const DialogAction& action) {
    Control* control = ControlById(state, action.id);
    switch (action.kind) {
        case DialogAction::Kind::Click:
            if (control) Click(state, *control);
            break;
        case DialogAction::Kind::Select:
        case DialogAction::Kind::DoubleClick:
            if (control) {
                Choose(state, *control, action.value,
                       action.kind == DialogAction::Kind::DoubleClick);
            }
            break;
        case DialogAction::Kind::Key: Key(state, action.value, action.shift); break;
        case DialogAction::Kind::Inspect: action.inspect(HandleOf(state)); break;
        case DialogAction::Kind::Capture: break;
    }
}

}  // namespace dialog

using dialog::DialogState;

intptr_t DialogBoxParam(const DialogTemplate& dialogTemplate, Hwnd owner, DialogProc proc,
                        LParam initParam) {
    if (!proc) return -1;
    auto state = std::make_unique<DialogState>();
    state->dialogTemplate = dialogTemplate;
    state->proc = proc;
    for (const DialogItem& item : dialogTemplate.items) {
        dialog::Control control;
        control.item = item;
        state->controls.push_back(std::move(control));
    }
    state->actions.assign(dialog::gQueued.begin(), dialog::gQueued.end());
    dialog::gQueued.clear();
    dialog::gOpen.push_back(state.get());
    const Hwnd handle = dialog::HandleOf(*state);

    if (proc(handle, WM_INITDIALOG, 0, initParam)) {
        dialog::Control* wanted = dialog::ControlById(*state, dialogTemplate.focusId);
        state->focus = dialog::IndexOf(*state, wanted);
        if (state->focus < 0) dialog::MoveFocus(*state, false);
    }
    intptr_t result = -1;
    if (state->ended) {
        result = state->result;
    } else if (!Headless()) {
        result = dialog::RunOnScreen(*state, owner);
    } else {
        while (!state->ended && !state->actions.empty()) {
            DialogAction action = std::move(state->actions.front());
            state->actions.pop_front();
            dialog::Perform(*state, action);
        }
        if (!state->ended) dialog::Perform(*state, DialogAction::PressKey(VK_RETURN));
        if (state->ended) result = state->result;
    }
    dialog::gOpen.erase(std::find(dialog::gOpen.begin(), dialog::gOpen.end(), state.get()));
    return result;
}

bool EndDialog(Hwnd dialog, intptr_t result) {
    DialogState* state = dialog::Find(dialog);
    if (!state) return false;
    state->ended = true;
    state->result = result;
    return true;
}

LResult SendDlgItemMessage(Hwnd dialog, int id, uint32_t message, WParam wParam, LParam lParam) {
    DialogState* state = dialog::Find(dialog);
    dialog::Control* control = state ? dialog::ControlById(*state, id) : nullptr;
    if (!control) return LB_ERR;
    if (control->item.controlClass == ControlClass::ListBox) {
        return dialog::ListMessage(*control, message, wParam, lParam);
    }
    if (control->item.controlClass == ControlClass::Button) {
        return dialog::ButtonMessage(*control, message, wParam);
    }
    return LB_ERR;
}

bool CheckRadioButton(Hwnd dialog, int firstId, int lastId, int checkId) {
    DialogState* state = dialog::Find(dialog);
    if (!state) return false;
    for (dialog::Control& control : state->controls) {
        const int id = control.item.id;
        if (control.item.controlClass == ControlClass::Button && id >= firstId && id <= lastId) {
            control.checked = id == checkId;
        }
    }
    return true;
}

int FocusedControl(Hwnd dialog) {
    DialogState* state = dialog::Find(dialog);
    if (!state || state->focus < 0) return -1;
    return state->controls[state->focus].item.id;
}

DialogAction DialogAction::ClickOn(int id) {
    DialogAction a;
    a.kind = Kind::Click;
    a.id = id;
    return a;
}
DialogAction DialogAction::SelectRow(int id, int row) {
    DialogAction a;
    a.kind = Kind::Select;
    a.id = id;
    a.value = row;
    return a;
}
DialogAction DialogAction::DoubleClickRow(int id, int row) {
    DialogAction a = SelectRow(id, row);
    a.kind = Kind::DoubleClick;
    return a;
}
DialogAction DialogAction::PressKey(int virtualKey, bool shift) {
    DialogAction a;
    a.kind = Kind::Key;
    a.value = virtualKey;
    a.shift = shift;
    return a;
}
DialogAction DialogAction::Look(std::function<void(Hwnd)> inspect) {
    DialogAction a;
    a.kind = Kind::Inspect;
    a.inspect = std::move(inspect);
    return a;
}
DialogAction DialogAction::CaptureTo(std::string path) {
    DialogAction a;
    a.kind = Kind::Capture;
    a.path = std::move(path);
    return a;
}

void QueueDialogActions(std::vector<DialogAction> actions) { dialog::gQueued = std::move(actions); }

}  // namespace platform
