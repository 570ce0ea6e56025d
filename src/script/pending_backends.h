// Back-ends of the script's commands and keywords whose owners have not landed them yet, under
// their final names and signatures. Their stand-ins (pending_backends.cpp) do nothing and give
// 0, -1 or "none". The part that lands a real one deletes its stand-in line there and its line
// here, and includes its own header in the script file that calls it. A real back-end must keep
// the signature given here exactly, or the stand-in would stay in use as an overload.
#pragma once
#include <cstdint>

// Keyboard and mouse: the active cursor, the last left click, the function-key bindings.
extern int32_t ClickedId;
int SetActiveCursor(int n);
int GetActiveCursor();
int SetKeyState(int virtualKey, const char* stateName);

// The display palette's file and the overlays (the screen surface, the palettes and the display
// mode are the shell's, in shell/direct_x.h).
extern char PaletteFileName[16];
int AddOverlay(const char* fileName, int frameWidth, int frameHeight, int x, int y);
int AddPane(int ignored, int width, int height, int x, int y);

