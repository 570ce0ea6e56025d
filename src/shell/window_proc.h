// The main window's procedure: window messages, keys, clicks and the one-second timer.
#pragma once
#include <cstdint>

#include "platform/window.h"

platform::LResult MainWindowProc(platform::Hwnd window, uint32_t message, platform::WParam wParam,
                                 platform::LParam lParam);
