// Tables and limits of the application shell.
#pragma once
#include <cstdint>

#include "base/limits.h"  // the window's mode and the error report's

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

// Keyboard and mouse.
constexpr int KeyBindingCount = 256;  // one state id per virtual-key code
// The cursor's edge arrows show outside the inner tenth-in rectangle of the display.
constexpr double ScreenBoundsInner = 0.1;
constexpr double ScreenBoundsOuter = 0.9;
// Cursor items: the edge arrows are items 1 to 8, the script's cursors follow from
// StartCursorBase; a left click with the pick cursor advances it to the next two items.
constexpr int StartCursorNumber = 3;
constexpr int StartCursorItem = 1;
constexpr int StartCursorBase = 9;
constexpr int StartPickCursorItem = 12;
constexpr int PickedCursorItem = 13;
constexpr int PickedTwiceCursorItem = 14;
constexpr int PickedCursorNumber = 4;
constexpr int PickedTwiceCursorNumber = 5;
// Cursor items at the screen edges.
constexpr int CursorTop = 1;
constexpr int CursorBottom = 2;
constexpr int CursorLeft = 3;
constexpr int CursorRight = 4;
constexpr int CursorTopRight = 5;
constexpr int CursorBottomRight = 6;
constexpr int CursorTopLeft = 7;
constexpr int CursorBottomLeft = 8;
// Clicks: a side of the clickable cube (in load order) gives ClickedCubeId; a side of the
// ignored cube leaves the last result; each click on the toggling object swaps the textures of
// the toggled sprite.
constexpr int ClickableCube = 55;
constexpr int IgnoredClickCube = 58;
constexpr int ClickedCubeId = 100;
constexpr int TogglingObjectId = 11;
constexpr int ToggledSpriteId = 4;
// The eye and horizon keys: the eye moves 2.0, the horizon 10 lines; the view reset restores
// the eye to 36.0 (66.0 in the second build).
constexpr int32_t EyeHeightStep = 0x20000;
constexpr int HorizonStep = 10;
constexpr int32_t ResetEyeHeight = 0x240000;
constexpr int32_t SecondBuildResetEyeHeight = 0x420000;

// Overlay items; item 0 is reserved.
constexpr int MaxOverlayItems = 32;

// The display palette's file name, terminator included.
constexpr int PaletteFileNameSize = 16;
// The widest and tallest BMP picture read.
constexpr int32_t MaxBmpSide = 0x8000;

// The status displays: the font is SmallStatusFontHeight pixels high on displays at most
// SmallStatusDisplayWidth wide, else LargeStatusFontHeight; the frame rate is measured every
// FrameRateInterval frames; the text is yellow on black, black being transparent.
constexpr int SmallStatusDisplayWidth = 600;
constexpr int SmallStatusFontHeight = 12;
constexpr int LargeStatusFontHeight = 24;
constexpr int FrameRateInterval = 100;
constexpr uint32_t StatusTextColour = 0x0000FFFF;
constexpr uint32_t StatusBackColour = 0;
constexpr int StatusTextSize = 128;

// The robots' debug keys: entry states, the typed numbers' buffers (terminator included), and
// how a robot is sent to a hot spot (through the planner, as its own character, at 35.0).
constexpr int DebugIdle = 0;
constexpr int DebugFirstNumber = 1;
constexpr int DebugSecondNumber = 2;
constexpr int DebugHotSpotNumber = 3;
constexpr int DebugTextSize = 24;
constexpr int HotSpotPlannerMode = 3;
constexpr int DebugActorBase = 4;
constexpr float DebugHotSpotSpeed = 35.0f;
