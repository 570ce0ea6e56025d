// Texts and captions of the application shell's message boxes.
#pragma once

// Error report (ReportError).
constexpr const char* ReportPrefix = "D3D: ";
constexpr const char* ReportCaption = "Msg";

// BMP readers.
constexpr const char* BmpOpenFailedText = "Open %s failed.";
constexpr const char* BmpCreateSurfaceFailedText = "Create a BMP surface failed!";
constexpr const char* BmpCaption = "ERROR";

// Sound slots and WAVE files.
constexpr const char* SoundPrimaryCreateText = "Unable to create Primary sound buffer";
constexpr const char* SoundPrimaryPlayText = "Unable to play Primary sound buffer";
constexpr const char* SoundExceedText = "Exceed Maximum Sound Buffer";
constexpr const char* SoundLoadFailedText = "Cant load sound file";
constexpr const char* WaveOpenErrorText = "Wave File Open Error";
constexpr const char* WaveMemoryErrorText = "Memory Allocation Error for Wave";
constexpr const char* SoundLostText = "Sound buffer needs restored";
constexpr const char* SoundRestoredText = "Sound buffer has been restored";
constexpr const char* ErrorCaption = "Error";
constexpr const char* WarningCaption = "Warning";
constexpr const char* MessageCaption = "Message";

// Script timers.
constexpr const char* TimerLimitTooSmallText = "Limit too small! Setting to Min value";
constexpr const char* SetTimeCaption = "Set Time Debug";
