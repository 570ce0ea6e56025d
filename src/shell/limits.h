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
