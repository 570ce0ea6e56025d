// The dialog manager's way onto the screen: a dialog shown in a screen window of its own.
#pragma once
#include <cstdint>

#include "platform/types.h"

namespace platform::dialog {

struct DialogState;

// Shows the dialog in a screen window and runs it until it ends; -1 when no window could be had.
intptr_t RunOnScreen(DialogState& state, Hwnd owner);

}  // namespace platform::dialog
