// Texts and captions of the error reports.
#pragma once

// Error report (ReportError).
constexpr const char* ReportPrefix = "D3D: ";
constexpr const char* ReportCaption = "Msg";

// The text of a result code that has none of its own.
constexpr const char* UnrecognizedErrorText = "Unrecognized error value.";
