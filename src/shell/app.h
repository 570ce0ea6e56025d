// The program's spine: entry, start-up and the main loop's pass.
#pragma once
#include <cstdint>

#include "platform/window.h"

extern void* AppInstance;
extern uintptr_t TimerId;  // the one-second timer; 0 when none could be had
extern int QuitDone;       // 1 once ShutdownApp has run

// The entry point: start-up, then the main loop until Escape or the quit message; SIGINT,
// SIGTERM and SIGHUP close the main window. Returns the quit message's code: 1 when the game
// ended because of a fault (also in the start-up), else 0.
int WinMain(void* instance, void* previousInstance, const char* commandLine, int showCommand);
// One pass of the main loop: the keyboard poll, at most one message, the game update and, unless
// rendering is stopped, the frame. False when the loop ends: on the quit message, which is then
// left in `msg`, or on Escape, which leaves an empty message (code 0) there.
bool MainLoopPass(platform::Msg& msg);
// 1 when the main loop may start, 0 when the program must end.
int InitApp(void* instance, int showCommand);
void InitGlobals();
