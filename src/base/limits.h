// Limits of the ground floor: the error report and the window's display mode.
#pragma once

// The error report's text buffer, terminator included.
constexpr int ReportBufferSize = 256;

// The window's mode, always offered; and the mode a report switches full screen to.
constexpr int WindowModeWidth = 640;
constexpr int WindowModeHeight = 480;
constexpr int WindowModeBpp = 8;
constexpr int ReportModeWidth = 640;
constexpr int ReportModeHeight = 400;
constexpr int ReportModeBpp = 8;

// The program's status when it ends after a fault it cannot go on from.
constexpr int FaultExitStatus = 1;
