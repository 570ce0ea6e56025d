// The program's spine: entry, start-up, the main loop's update and frame, the level reset, the
// one-time shutdown with its release order, the quit entry and the main window's procedure.
#pragma once
#include <cstdint>

#include "base/graphics_objects.h"  // the main window
#include "platform/types.h"
#include "platform/window.h"

extern void* AppInstance;
extern uintptr_t TimerId;  // the one-second timer; 0 when none could be had
extern int QuitDone;       // 1 once ShutdownApp has run

// The entry point: start-up, then the main loop until Escape or the quit message; SIGINT and
// SIGTERM close the main window. Returns the
// quit message's code; 0 when start-up failed, no message was taken or Escape ended the loop.
int WinMain(void* instance, void* previousInstance, const char* commandLine, int showCommand);
// One pass of the main loop: the keyboard poll, at most one message, the game update and, unless
// rendering is stopped, the frame. False when the loop ends: on the quit message, which is then
// left in `msg`, or on Escape, which leaves an empty message (code 0) there.
bool MainLoopPass(platform::Msg& msg);
// 1 when the main loop may start, 0 when the program must end.
int InitApp(void* instance, int showCommand);
void InitGlobals();

// The game update and the frame of one pass of the main loop; neither does anything once the
// program has shut down.
void PerFrameUpdate();
void RenderFrame();
// The frame's last part: the status displays and the cursor drawn over the view, then the view
// stretched onto the front buffer.
void PresentFrame();

// Empties the level-dependent tables of every part of the game. Always 1.
int ResetLevel();
// Releases the scene and camera frames and every drawing object, shows the cursor and posts
// the quit message; 1 when it ran, 0 when it had run before.
int ShutdownApp();
// The two release routines: RenderingStopped is set, then each object that exists is released
// in a fixed order. ReleaseAll also releases the scene-graph and drawing objects themselves.
void ReleaseRenderObjects();
void ReleaseAll();

platform::LResult MainWindowProc(platform::Hwnd window, uint32_t message, platform::WParam wParam,
                                 platform::LParam lParam);
