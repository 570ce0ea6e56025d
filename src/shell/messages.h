// Texts and captions of the application shell's message boxes.
#pragma once
#include "base/messages.h"  // the caption of failed loads and set-up steps

// BMP readers.
constexpr const char* BmpOpenFailedText = "Open %s failed.";
constexpr const char* BmpCreateSurfaceFailedText = "Create a BMP surface failed!";
constexpr const char* BmpCaption = "ERROR";
// A picture that opens but cannot be read for its depth or its size (caption BmpCaption).
constexpr const char* BmpDepthText =
    "Picture %s has %d bits per pixel; only 8-bit pictures are read.";
constexpr const char* BmpTooLargeText = "Picture %s is too large: %d by %d pixels.";

// Sound slots and WAVE files.
constexpr const char* SoundPrimaryCreateText = "Unable to create Primary sound buffer";
constexpr const char* SoundPrimaryPlayText = "Unable to play Primary sound buffer";
constexpr const char* SoundExceedText = "Exceed Maximum Sound Buffer";
constexpr const char* SoundLoadFailedText = "Cant load sound file";
constexpr const char* WaveOpenErrorText = "Wave File Open Error";
constexpr const char* WaveMemoryErrorText = "Memory Allocation Error for Wave";
constexpr const char* SoundLostText = "Sound buffer needs restored";
constexpr const char* SoundRestoredText = "Sound buffer has been restored";
constexpr const char* WarningCaption = "Warning";
constexpr const char* MessageCaption = "Message";

// Script timers.
constexpr const char* TimerLimitTooSmallText = "Limit too small! Setting to Min value";
constexpr const char* SetTimeCaption = "Set Time Debug";

// Start-up and the main window.
constexpr const char* WindowClassName = "Duskharbor";
constexpr const char* WindowTitle = "Duskharbor";
constexpr const char* CreateWindowFailedText = "CreateWindowEx failed";
constexpr const char* NoTimersText = "No Timers left!";
constexpr const char* ClearViewportFailedText = "Clearing viewport failed.\n%s";
constexpr const char* DisplayPaletteFile = "Palette.bmp";

// Set-up of the drawing, 3D and scene-graph objects (caption ErrorCaption).
constexpr const char* DDEnumerateFailedText = "DirectDrawEnumerate failed";
constexpr const char* DDCreateFailedText = "DirectDrawCreate failed";
constexpr const char* DDDeviceCreateFailedText = "Failed creating a DD device. Continue execution";
constexpr const char* DDDeviceGetCapsFailedText = "GetCaps failed in while testing a DD device";
constexpr const char* SetCooperativeLevelFailedText = "SetCooperativeLevel failed";
constexpr const char* CheckDriverCapsFailedText = "GetCaps failed in checking driver capabilities";
constexpr const char* GetDisplayModeFailedText = "GetDisplayMode failed";
constexpr const char* CreateD3DRMFailedText = "Creation of Direct3DRM";
constexpr const char* SetDisplayModeFailedText = "SetDisplayMode (%dx%dx%d) failed";
constexpr const char* NonPrimaryWindowText = "Attempt made enter a non-primary DD device mode";
constexpr const char* SetPaletteFailedText = "SetPalette failed";
constexpr const char* FrontBufferFailedText = "CreateSurface for window front buffer failed";
constexpr const char* BackBufferFailedText = "CreateSurface for window back buffer failed";
constexpr const char* CreateClipperFailedText = "CreateClipper failed";
constexpr const char* ClipperSetHWndFailedText = "Clipper SetHWnd failed";
constexpr const char* SetClipperFailedText = "SetClipper failed";
constexpr const char* SurfaceDescFailedText = "Error getting a surface description";
constexpr const char* CreateD3DFailedText = "Creation of IDirect3D failed";
constexpr const char* EnumDevicesFailedText = "EnumDevices failed";
constexpr const char* CreateD3DDeviceFailedText = "Create D3D device failed";
constexpr const char* ModeNotSupportedText = "This device cannot support the current display mode";
constexpr const char* CreateD3DViewportFailedText = "Create D3D viewport failed";
constexpr const char* AddD3DViewportFailedText = "Add D3D viewport failed";
constexpr const char* SetViewportFailedText = "SetViewport failed";
constexpr const char* FullScreenZBufferFailedText = "CreateSurface for fullscreen Z-buffer failed";
constexpr const char* FullScreenZAttachFailedText = "AddAttachedBuffer failed for Z-Buffer";
constexpr const char* WindowZBufferFailedText = "CreateSurface for window Z-buffer failed";
constexpr const char* WindowZAttachFailedText = "AddAttachedBuffer failed for Z-buffer";
constexpr const char* ModesGetCapsFailedText = "GetCaps failed while enumerating display modes";
constexpr const char* EnumDisplayModesFailedText = "EnumDisplayModes failed";
constexpr const char* CreateRMDeviceFailedText = "Creation of D3DRM device failed";
constexpr const char* AddUpdateCallbackFailedText = "Failed to add an update callback";
constexpr const char* SetDitherOffFailedText = "SetDither(FALSE) failed";
constexpr const char* SetQualityFailedText = "Setting the render quality failed";
constexpr const char* SetTextureQualityFailedText = "Setting the texture quality failed";
constexpr const char* SetDitherFailedText = "Setting the dithering mode failed";
constexpr const char* SceneFrameFailedText = "Creation of scene frame failed";
constexpr const char* CameraFrameFailedText = "Creation of camera frame failed";
constexpr const char* CreateRMViewportFailedText = "Creation of D3DRM viewport failed";
constexpr const char* SetBackFailedText = "Failed to set viewport background depth";
constexpr const char* ClearingBltFailedText = "Clearing blt failed";
// The configuration dialog.
constexpr const char* ConfigTitle = "Duskharbor Configuration";
constexpr const char* ConfigHeading = "Pick a puzzle and a display.";
constexpr const char* ConfigOk = "OK";
constexpr const char* ConfigCancel = "CANCEL";
constexpr const char* ConfigDisplayModes = "Display Modes";
constexpr const char* ConfigDrivers = "Drivers";
constexpr const char* ConfigLoadPuzzle = "Load Puzzle";
constexpr const char* ConfigFullScreen = "Full Screen";
constexpr const char* ConfigWindows = "Windows";
constexpr const char* DisplayModeRowFormat = "%d*%d*%d";
constexpr const char* PuzzleFilePattern = ".scp";
// A script whose name does not fit the chosen-script name (caption ErrorCaption).
constexpr const char* ScriptNameTooLongText =
    "The script file name \"%s\" is too long: at most 15 characters. Rename it or pick another.";

// Keyboard and mouse.
constexpr const char* ViewportBandingFailedText = "Viewport banding failed.\n%s";
constexpr const char* ViewportRestoreFailedText = "Viewport restore failed.\n%s";
// The room scripts that F11 loads in turn.
constexpr const char* FirstRoomScript = "springrm.scp";
constexpr const char* SecondRoomScript = "ferrowrm.scp";

// The status displays (caption ErrorCaption).
constexpr const char* StatusFontFace = "Arial";
constexpr const char* FrameRateTemplate = "000.00 fps 00000000.00 tps 0000.00 mppps";
constexpr const char* InfoTemplate = "000x000x00 (MONO) 0000";
constexpr const char* FrameRateFormat = "%d.%02d fps   ";
constexpr const char* TrianglesFormat = "%ld tps   ";
constexpr const char* StatusJoinFormat = "%s%s%s";
constexpr const char* InfoFormat = "%dx%dx%d (%s)";
constexpr const char* MonoColourModelName = "MONO";
constexpr const char* RgbColourModelName = "RGB";
constexpr const char* StatusSurfaceFailedText = "CreateSurface for frame rate failed";
constexpr const char* FrameRateDCFailedText = "GetDC for frame rate buffer failed";
constexpr const char* InfoDCFailedText = "GetDC for info buffer failed";
constexpr const char* FrameRateBltFailedText = "Blt of frame rate failed";
constexpr const char* InfoBltFailedText = "Blt of info failed";
