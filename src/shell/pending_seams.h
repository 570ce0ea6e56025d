// Calls and tables of the parts of the game that are not built yet, under their final names.
// Each stands in with nothing to do (and 1 where a result is expected) until its own part
// replaces it; the part that lands removes its lines here.
#pragma once
#include <cstdint>

#include "platform/types.h"
#include "platform/window.h"

namespace platform {
class Surface;
}

// Keyboard and mouse.
extern int32_t CursorItem;
extern int32_t KeyBindingTable[256];
void InitInputState();
int PollKeyboard();
int HandleKeyMessage(uint32_t message, platform::WParam virtualKey, platform::LParam lParam);
int OnMouseMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam);

// Overlays and the status displays.
extern int OverlayImageCount;
extern int OverlayItemCount;
int FreeOverlayImages(int first);
int DrawOverlay(int item, int x, int y);
int CreateStatusSurfaces();
int FormatInfo();
int ResetFrameRate();
int DrawFrameRate();
int DrawInfo();
