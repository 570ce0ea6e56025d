// The drawing, 3D and scene-graph objects of the game, the display modes and the window's mode.
// They are made at start-up in a fixed order and made again when the display mode changes; the
// other parts of the game use them and never release them (the release routines are in app.h).
#pragma once
#include <cstdint>

#include "base/graphics_objects.h"
#include "platform/direct3d.h"
#include "platform/direct_draw.h"
#include "platform/rm.h"
#include "platform/surface.h"
#include "platform/types.h"
#include "shell/limits.h"

// The objects (null when absent); the display object, the back buffer, the scene-graph object and
// viewport, the scene, camera and world frames and the display's size are in graphics_objects.h.
// The three frames are made once a run and live through display-mode changes.
extern platform::Surface* FrontBuffer;  // the screen: the main window's picture
extern platform::Surface* ZBuffer;      // attached to BackBuffer
extern platform::Clipper* Clipper;      // bound to the main window; window mode only
extern platform::Palette* PaletteTable[PaletteTableSize];  // 0: the display palette
extern platform::Surface* FrameRateSurface;                // the two status displays' surfaces
extern platform::Surface* InfoSurface;
extern platform::Direct3D* D3DObject;
extern platform::Direct3DDevice* D3DDevice;
extern platform::Direct3DViewport* D3DViewport;
extern platform::RmDevice* RMDevice;
extern platform::RmDevice* RMWinDevice;  // the window view of RMDevice

// The display.
struct DisplayMode {
    int32_t width;
    int32_t height;
    int32_t bpp;
};
extern int WasFullScreen;                          // FullScreen as last applied
extern DisplayMode DisplayModes[MaxDisplayModes];  // sorted: depth, width, height descending
extern int DisplayModeCount;
extern int ChosenDisplayMode;      // the row used in full screen
extern int PrimaryDevice;          // 0 when a separate 3D board was found
extern int ModeSwitching;          // 1 while the cooperative level, mode or window style changes
extern platform::Rect WindowRect;  // the client area in screen coordinates
extern platform::Guid SecondaryDeviceGuid;
extern platform::DDCaps SecondaryDriverCaps;
extern uint32_t SavedWindowStyle;  // the window style before full screen
// Done once a run: the drawing devices are enumerated and the 3D drivers listed.
extern int DirectDrawEnumerated;
extern int DriversListed;

// The 3D drivers, listed once a run.
struct DriverRecord {
    char description[DriverDescriptionSize];
    char name[DriverNameSize];
    platform::D3DDeviceDesc hardware;
    platform::D3DDeviceDesc software;
    platform::Guid guid;
};
extern DriverRecord Drivers[MaxDrivers];
extern int DriverCount;
extern int ChosenDriver;

// Settings fixed at start-up.
extern uint32_t RenderQuality;
extern int32_t TextureQuality;
extern int DitherMode;
extern int SystemMemorySurfaces;
extern uint32_t ColorModel;
// The union of the rectangles the scene-graph device drew in its last update.
extern platform::Rect DirtyRect;

// The drawn part of the back buffer: its top-left three quarters in width and height.
platform::Rect ViewRect();
// The horizon offset brought within the tilt at which the renderer still draws the whole view.
int WholeViewHorizon(int horizon);
