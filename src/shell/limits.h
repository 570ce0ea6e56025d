// Tables and limits of the application shell.
#pragma once

// The error report's text buffer, terminator included.
constexpr int ReportBufferSize = 256;

// Overlay pictures; image 0 is the display palette's picture, whose surface also receives the
// texture sheets.
constexpr int MaxOverlayImages = 32;

// BMP files: the two headers, and the most colour-table entries a palette takes.
constexpr int BmpHeadersSize = 54;
constexpr int BmpPaletteEntries = 256;
// Palette entries 137 to 254 are left to the scene renderer; the rest are read-only.
constexpr int FirstFreePaletteEntry = 137;
constexpr int LastFreePaletteEntry = 254;

// Sound slots, filled in order by LoadSound.
constexpr int SoundSlotCount = 24;
// A WAVE file's RIFF header ("RIFF", size, "WAVE"), a chunk header, and the shortest "fmt " body.
constexpr int WaveRiffHeaderSize = 12;
constexpr int WaveChunkHeaderSize = 8;
constexpr int WaveMinFormatSize = 14;
// The largest WAVE file read (a larger one could not fill a sound buffer anyway).
constexpr long WaveMaxFileBytes = 0x0FFFFFFF;

// The smallest random limit of a script timer, in seconds.
constexpr int MinRandomTimerLimit = 5;

// The display modes kept for full screen, and the 3D drivers listed once a run.
constexpr int MaxDisplayModes = 32;
constexpr int MaxDrivers = 5;
// A mode is kept only when its view (three quarters of each side) fits the renderer's
// per-column and per-row tables.
constexpr int MaxViewSide = 640;
// The window's mode, always offered; and the mode a report switches full screen to.
constexpr int WindowModeWidth = 640;
constexpr int WindowModeHeight = 480;
constexpr int WindowModeBpp = 8;
constexpr int ReportModeWidth = 640;
constexpr int ReportModeHeight = 400;
constexpr int ReportModeBpp = 8;

// Palettes the script can fill; entry 0 is the display palette.
constexpr int PaletteTableSize = 100;

// Driver records: description and name lengths, terminator included.
constexpr int DriverDescriptionSize = 50;
constexpr int DriverNameSize = 30;

// The main window as first created (a popup of one pixel), and the one-second timer.
constexpr int InitialWindowSize = 1;
constexpr int SecondTimerId = 1;
constexpr int SecondTimerPeriodMs = 1000;

// The scene graph's settings: Gouraud shading with lights and solid fill.
constexpr unsigned StartRenderQuality = 137;
// The scene graph's viewport sees this far.
constexpr float ViewportBackDistance = 5000.0f;
// Sine table entries are scaled by this.
constexpr float SineScale = 32768.0f;
// Overlay images: 0 holds the display palette's picture, 1 stays empty at start-up.
constexpr int FirstScriptOverlayImage = 2;
// The configuration dialog's puzzle list: the script files it lists, and the chosen file's
// name with its terminator.
constexpr int MaxScriptFiles = 16;
constexpr int ScriptFileNameSize = 16;
