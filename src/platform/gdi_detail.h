// The device context behind an Hdc: the surface it draws into (none for the screen's) and the
// font, colours and background mode selected into it. Made by gdi.cpp for the screen and by
// Surface::GetDC for a surface.
#pragma once
#include "platform/gdi.h"

namespace platform {

class Surface;

struct DeviceContext {
    Surface* surface = nullptr;  // null: the screen's, for measuring only
    Hfont font = nullptr;
    ColorRef textColor = Rgb(0, 0, 0);
    ColorRef bkColor = Rgb(255, 255, 255);
    int bkMode = OPAQUE;
};

}  // namespace platform
