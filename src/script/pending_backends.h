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

// Scene animation: paths, hot spots, lights.
int AddPathMotion(int path, int row);
int DelPathMotion(int row, int path);
int AddHotSpot(const float* numbers, int n);
int MoveToHotSpot(int mode, int row, int hotSpot, float speed, int robot);
int CheckHotSpots(int n, int mode, int* out);
int AnimLight(int light, int frames, const float* target);
int MoveLight(int light, const float* up, const float* direction);

// The script engine's own back-ends that read the animation tables (animation objects, motion
// table, mover channels, paths): they stand in here until those tables exist.
int CheckUpdateState();
int RotateAnimObj(int kind, int entry, int a, float yawDegrees, int b);
int TurnToObj(int kind, int entry, int targetKind, int target);
int StepCameraPath(int path);
