// Reports of failures of the drawing objects, and the request to end the program.
#pragma once

// Set by every report, the release routines and window destruction; while it is set the main
// loop draws no frame. A successful display-mode change clears it.
extern int RenderingStopped;

// Set by QuitApp: the program is ending.
extern bool QuitRequested;
// Set when the program ends because of a fault it cannot go on from.
extern bool EndedByFault;

// Rendering goes on and no end is asked for, as at start.
void ResetErrorState();

// Shows "D3D: " and the formatted message (printf rules, no floating-point conversions) in a
// box captioned "Msg" and stops rendering; the text is cut to the report buffer. In full screen
// the display drops to 640 x 400 x 8 while the box is up. The caller decides whether the game ends.
void ReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the program: the main window is destroyed, which shuts everything down, and a script run
// in progress stops after the statement that asked. Always 0.
int QuitApp();
// QuitApp after a fault the game cannot go on from: the program then ends with status 1.
int QuitAppAfterFault();
// The status the program ends with: 1 when it ends because of a fault, else 0.
int ExitStatus();
