#include "script/pending_backends.h"

int32_t ClickedId = -1;
int SetActiveCursor(int) { return 0; }
int GetActiveCursor() { return 0; }
int SetKeyState(int, const char*) { return -1; }

char PaletteFileName[16] = "Palette.bmp";
int AddOverlay(const char*, int, int, int, int) { return -1; }
int AddPane(int, int, int, int, int) { return -1; }

int AddPathMotion(int, int) { return 0; }
int DelPathMotion(int, int) { return 0; }
int AddHotSpot(const float*, int) { return -1; }
int MoveToHotSpot(int, int, int, float, int) { return -1; }
int CheckHotSpots(int, int, int* out) { *out = -1; return 1; }
int AnimLight(int, int, const float*) { return 0; }
int MoveLight(int, const float*, const float*) { return 0; }


int CheckUpdateState() { return -1; }
int RotateAnimObj(int, int, int, float, int) { return 0; }
int TurnToObj(int, int, int, int) { return 0; }
int StepCameraPath(int) { return 0; }
