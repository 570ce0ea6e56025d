#include "script/pending_backends.h"

int32_t ClickedId = -1;
int SetActiveCursor(int) { return 0; }
int GetActiveCursor() { return 0; }
int SetKeyState(int, const char*) { return -1; }

char PaletteFileName[16] = "Palette.bmp";
int AddOverlay(const char*, int, int, int, int) { return -1; }
int AddPane(int, int, int, int, int) { return -1; }

