#include "platform/direct_draw.h"

#include "platform/display.h"
#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/limits.h"
#include "platform/presenter.h"

namespace platform {

DirectDraw::~DirectDraw() {
    // Giving up the object gives up the screen, as the system does for a program that ends.
    if (exclusive_) {
        SetFullScreenDisplay(nullptr, false);
        ResetDisplayMode();
    }
}

HResult DirectDraw::SetCooperativeLevel(Hwnd window, uint32_t flags) {
    if (HResult fault = TakeFault("SetCooperativeLevel")) return fault;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (exclusive != fullScreen) return DDERR_INVALIDPARAMS;
    if (!exclusive && !(flags & DDSCL_NORMAL)) return DDERR_INVALIDPARAMS;
    if (exclusive && !window) return DDERR_NOHWND;
    if (exclusive_ && !exclusive) ResetDisplayMode();
    cooperative_ = true;
    exclusive_ = exclusive;
    SetFullScreenDisplay(window, exclusive);
    return DD_OK;
}

HResult DirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bpp) {
    if (HResult fault = TakeFault("SetDisplayMode")) return fault;
    for (const DisplayMode& m : OfferedDisplayModes()) {
        if (m.width == width && m.height == height && m.bpp == bpp) {
            SetCurrentDisplayMode(m);
            return DD_OK;
        }
    }
    return DDERR_INVALIDMODE;
}

HResult DirectDraw::GetDisplayMode(SurfaceDesc* mode) const {
    if (HResult fault = TakeFault("GetDisplayMode")) return fault;
    if (!mode) return DDERR_INVALIDPARAMS;
    DisplayMode m = CurrentDisplayMode();
    *mode = SurfaceDesc{};
    mode->flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_PITCH;
    mode->width = m.width;
    mode->height = m.height;
    mode->pitch = static_cast<int32_t>(m.width * ((m.bpp + 7) / 8));
    mode->pixelFormat.flags = m.bpp == 8 ? (DDPF_PALETTEINDEXED8 | DDPF_RGB) : DDPF_RGB;
    mode->pixelFormat.rgbBitCount = m.bpp;
    return DD_OK;
}

HResult DirectDraw::EnumDisplayModes(uint32_t, const SurfaceDesc*, void* context,
                                     EnumModesCallback callback) const {
    if (HResult fault = TakeFault("EnumDisplayModes")) return fault;
    if (!callback) return DDERR_INVALIDPARAMS;
    for (const DisplayMode& m : OfferedDisplayModes()) {
        SurfaceDesc desc;
        desc.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_PITCH;
        desc.width = m.width;
        desc.height = m.height;
        desc.pitch = static_cast<int32_t>(m.width);
        desc.pixelFormat.flags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
        desc.pixelFormat.rgbBitCount = m.bpp;
        if (callback(&desc, context) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HResult DirectDraw::GetCaps(DDCaps* driver, DDCaps* emulation) const {
    if (HResult fault = TakeFault("GetCaps")) return fault;
    if (!driver && !emulation) return DDERR_INVALIDPARAMS;
    // Everything is done in software: the driver and its emulation offer the same.
    DDCaps caps;
    caps.caps = DDCAPS_BLT | DDCAPS_BLTSTRETCH | DDCAPS_COLORKEY | DDCAPS_BLTCOLORFILL;
    caps.zBufferBitDepths = DDBD_16 | DDBD_32;
    if (driver) *driver = caps;
    if (emulation) *emulation = caps;
    return DD_OK;
}

HResult DirectDraw::CreateSurface(const SurfaceDesc& desc, Surface** surface) {
    if (HResult fault = TakeFault("CreateSurface")) return fault;
    if (!surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (!(desc.flags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;

    if (desc.caps & DDSCAPS_PRIMARYSURFACE) {
        if (!cooperative_) return DDERR_NOCOOPERATIVELEVELSET;
        if (PrimarySurface()) return DDERR_PRIMARYSURFACEALREADYEXISTS;
        if (desc.flags & (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
        Size size = PrimarySize();
        *surface = new Surface(desc.caps, static_cast<uint32_t>(size.cx),
                               static_cast<uint32_t>(size.cy), 1);
        return DD_OK;
    }

    if ((desc.flags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
        return DDERR_INVALIDPARAMS;
    }
    if (desc.width == 0 || desc.height == 0) return DDERR_INVALIDPARAMS;
    if (desc.width > MaxSurfaceSide || desc.height > MaxSurfaceSide) return DDERR_TOOBIGSIZE;

    uint32_t bytesPerPixel = 1;
    if (desc.caps & DDSCAPS_ZBUFFER) {
        if (!(desc.flags & DDSD_ZBUFFERBITDEPTH)) return DDERR_INVALIDPARAMS;
        uint32_t depth = desc.zBufferBitDepth;
        if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
            return DDERR_INVALIDPIXELFORMAT;
        }
        bytesPerPixel = depth / 8;
    } else if ((desc.flags & DDSD_PIXELFORMAT) && desc.pixelFormat.rgbBitCount != 8) {
        return DDERR_INVALIDPIXELFORMAT;
    }

    Surface* made = new Surface(desc.caps, desc.width, desc.height, bytesPerPixel);
    if (desc.flags & DDSD_CKSRCBLT) made->SetColorKey(DDCKEY_SRCBLT, &desc.ckSrcBlt);
    *surface = made;
    return DD_OK;
}

HResult DirectDraw::CreatePalette(uint32_t caps, const PaletteEntry* entries, Palette** palette) {
    if (HResult fault = TakeFault("CreatePalette")) return fault;
    if (!palette || !entries) return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (!(caps & DDPCAPS_8BIT)) return DDERR_UNSUPPORTED;
    *palette = new Palette(caps, entries);
    return DD_OK;
}

HResult DirectDraw::CreateClipper(uint32_t, Clipper** clipper) {
    if (HResult fault = TakeFault("CreateClipper")) return fault;
    if (!clipper) return DDERR_INVALIDPARAMS;
    *clipper = new Clipper();
    return DD_OK;
}

HResult DirectDrawEnumerate(EnumDevicesCallback callback, void* context) {
    if (HResult fault = TakeFault("DirectDrawEnumerate")) return fault;
    if (!callback) return DDERR_INVALIDPARAMS;
    callback(nullptr, "Primary Display Driver", "display", context);
    return DD_OK;
}

HResult DirectDrawCreate(const Guid* guid, DirectDraw** object) {
    if (HResult fault = TakeFault("DirectDrawCreate")) return fault;
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (guid) return DDERR_INVALIDDIRECTDRAWGUID;
    *object = new DirectDraw();
    return DD_OK;
}

}  // namespace platform
