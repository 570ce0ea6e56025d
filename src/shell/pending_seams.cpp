#include "shell/pending_seams.h"

#include <cstring>

int32_t CursorItem = 0;
int32_t KeyBindingTable[256] = {};
void InitInputState() { CursorItem = 1; OverlayItemCount = 1; std::memset(KeyBindingTable, 0xFF, sizeof KeyBindingTable); }
int PollKeyboard() { return 0; }
int HandleKeyMessage(uint32_t, platform::WParam, platform::LParam) { return 0; }
int OnMouseMessage(uint32_t, platform::WParam, platform::LParam) { return 1; }

int OverlayImageCount = 0;
int OverlayItemCount = 0;
int FreeOverlayImages(int first) { OverlayImageCount = first; return 1; }
int DrawOverlay(int, int, int) { return -1; }
int CreateStatusSurfaces() { return 1; }
int FormatInfo() { return 1; }
int ResetFrameRate() { return 1; }
int DrawFrameRate() { return 1; }
int DrawInfo() { return 1; }
