// Texts and captions of the error reports and of the end of the game after a fault.
#pragma once

// Error report (ReportError).
constexpr const char* ReportPrefix = "D3D: ";
constexpr const char* ReportCaption = "Msg";

// The text of a result code that has none of its own.
constexpr const char* UnrecognizedErrorText = "Unrecognized error value.";

// The caption of failed loads, limits and set-up steps.
constexpr const char* ErrorCaption = "Error";

// A handler table with an entry left empty (caption ErrorCaption, or through ReportError).
constexpr const char* HandlersIncompleteText = "Handler table incomplete!";

// The end of the game after an allocation failed (caption ErrorCaption).
constexpr const char* OutOfMemoryText = "Out of memory.";
constexpr const char* OutOfMemoryLoadingText = "Out of memory while loading %s.";
