// Texts and captions of the application shell's message boxes.
#pragma once

// Error report (ReportError).
constexpr const char* ReportPrefix = "D3D: ";
constexpr const char* ReportCaption = "Msg";

// BMP readers.
constexpr const char* BmpOpenFailedText = "Open %s failed.";
constexpr const char* BmpCreateSurfaceFailedText = "Create a BMP surface failed!";
constexpr const char* BmpCaption = "ERROR";
