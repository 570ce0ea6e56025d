// The drawing object: makes surfaces, palettes and clippers, sets the cooperative level and
// the display mode, and lists the display modes offered (all 8 bits per pixel).
#pragma once
#include <cstdint>

#include "platform/palette.h"
#include "platform/result_codes.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace platform {

struct Guid {
    uint8_t bytes[16] = {};
};

struct DDCaps {
    uint32_t caps = 0;              // DDCAPS_*
    uint32_t zBufferBitDepths = 0;  // DDBD_*
};

// Enumeration callbacks answer DDENUMRET_OK to go on or DDENUMRET_CANCEL to stop.
constexpr HResult DDENUMRET_CANCEL = 0;
constexpr HResult DDENUMRET_OK = 1;
using EnumModesCallback = HResult (*)(SurfaceDesc* mode, void* context);
// guid null: the primary display device.
using EnumDevicesCallback = int (*)(Guid* guid, const char* description, const char* name,
                                    void* context);

class DirectDraw : public RefCounted {
public:
    // DDSCL_NORMAL for a window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN for the whole screen.
    HResult SetCooperativeLevel(Hwnd window, uint32_t flags);
    // A mode of the table (DDERR_INVALIDMODE otherwise).
    HResult SetDisplayMode(uint32_t width, uint32_t height, uint32_t bpp);
    HResult GetDisplayMode(SurfaceDesc* mode) const;
    HResult EnumDisplayModes(uint32_t flags, const SurfaceDesc* filter, void* context,
                             EnumModesCallback callback) const;
    HResult GetCaps(DDCaps* driver, DDCaps* emulation) const;

    // The primary surface (DDSCAPS_PRIMARYSURFACE) is the main window's picture: the display
    // mode's size in full screen, the window's client size otherwise; one at a time.
    // Other surfaces need a width and height; z-buffers (DDSCAPS_ZBUFFER) a bit depth too.
    HResult CreateSurface(const SurfaceDesc& desc, Surface** surface);
    HResult CreatePalette(uint32_t caps, const PaletteEntry* entries, Palette** palette);
    HResult CreateClipper(uint32_t flags, Clipper** clipper);

protected:
    ~DirectDraw() override;

private:
    bool cooperative_ = false;
    bool exclusive_ = false;
};

HResult DirectDrawEnumerate(EnumDevicesCallback callback, void* context);
// guid null: the primary display device, the only one there is.
HResult DirectDrawCreate(const Guid* guid, DirectDraw** object);

}  // namespace platform
