#include "shell/direct_x.h"

#include <algorithm>

#include "platform/direct3d.h"
#include "platform/rm_types.h"
#include "render/view.h"

platform::Surface* FrontBuffer = nullptr;
platform::Surface* ZBuffer = nullptr;
platform::Clipper* Clipper = nullptr;
platform::Palette* PaletteTable[PaletteTableSize] = {};
platform::Surface* FrameRateSurface = nullptr;
platform::Surface* InfoSurface = nullptr;
platform::Direct3D* D3DObject = nullptr;
platform::Direct3DDevice* D3DDevice = nullptr;
platform::Direct3DViewport* D3DViewport = nullptr;
platform::RmDevice* RMDevice = nullptr;
platform::RmDevice* RMWinDevice = nullptr;

int WasFullScreen = 0;
DisplayMode DisplayModes[MaxDisplayModes] = {};
int DisplayModeCount = 0;
int ChosenDisplayMode = 0;
int PrimaryDevice = 1;
int ModeSwitching = 0;
platform::Rect WindowRect;
platform::Guid SecondaryDeviceGuid;
platform::DDCaps SecondaryDriverCaps;
uint32_t SavedWindowStyle = 0;
int DirectDrawEnumerated = 0;
int DriversListed = 0;

DriverRecord Drivers[MaxDrivers] = {};
int DriverCount = 0;
int ChosenDriver = 0;

uint32_t RenderQuality = StartRenderQuality;
int32_t TextureQuality = platform::D3DRMTEXTURE_NEAREST;
int DitherMode = 0;
int SystemMemorySurfaces = 1;
uint32_t ColorModel = platform::D3DCOLOR_MONO;
platform::Rect DirtyRect;

platform::Rect ViewRect() {
    return platform::Rect{0, 0, DisplayWidth - DisplayWidth / 4, DisplayHeight - DisplayHeight / 4};
}

int WholeViewHorizon(int horizon) {
    const platform::Rect view = ViewRect();
    const int limit = MaxWholeViewHorizon(view.right, view.bottom);
    return std::clamp(horizon, -limit, limit);
}
