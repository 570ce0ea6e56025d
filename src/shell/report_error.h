// The fatal-error report of the DirectX layer and the cube world, and the request to end the game.
#pragma once

// Set by every report; while it is set the main loop draws no frame.
extern int RenderingStopped;

// Set by QuitApp; the main loop turns it into the destruction of the main window.
extern bool QuitRequested;

// Shows "D3D: " and the formatted message (printf rules, no floating-point conversions) in a
// box captioned "Msg" and stops rendering. The caller decides whether the game ends.
void ReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Asks for the end of the program: the main window is destroyed by the main loop.
void QuitApp();
