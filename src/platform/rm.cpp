#include "platform/rm.h"

#include "platform/faults.h"

namespace platform {

HResult RetainedMode::Create(RetainedMode** out) {
    *out = nullptr;
    if (HResult fault = TakeFault("Direct3DRMCreate")) return fault;
    *out = new RetainedMode();
    return D3DRM_OK;
}

HResult RetainedMode::CreateFrame(RmFrame* parent, RmFrame** out) {
    *out = nullptr;
    if (HResult fault = TakeFault("CreateFrame")) return fault;
    *out = RmFrame::Create(parent);
    return D3DRM_OK;
}

HResult RetainedMode::CreateMeshBuilder(RmMeshBuilder** out) {
    *out = new RmMeshBuilder();
    return D3DRM_OK;
}

HResult RetainedMode::CreateLightRGB(RmLightType type, float red, float green, float blue,
                                     RmLight** out) {
    *out = nullptr;
    if (HResult fault = TakeFault("CreateLightRGB")) return fault;
    *out = RmLight::Create(type, red, green, blue);
    return *out ? D3DRM_OK : D3DRMERR_BADVALUE;
}

HResult RetainedMode::CreateDeviceFromSurface(Surface* surface, RmDevice** out) {
    *out = nullptr;
    if (HResult fault = TakeFault("CreateDeviceFromSurface")) return fault;
    if (!surface) return D3DRMERR_BADOBJECT;
    RmRef<Surface> held(surface);
    *out = RmDevice::Create([held] {
        const Palette* palette = held->AttachedPalette();
        return RmTarget{held->Pixels(), held->Pitch(), int32_t(held->Width()),
                        int32_t(held->Height()), palette ? palette->Entries().data() : nullptr};
    });
    return *out ? D3DRM_OK : D3DRMERR_BADDEVICE;
}

HResult RetainedMode::CreateViewport(RmDevice* device, RmFrame* camera, int32_t left, int32_t top,
                                     int32_t width, int32_t height, RmViewport** out) {
    *out = nullptr;
    if (HResult fault = TakeFault("CreateViewport")) return fault;
    *out = RmViewport::Create(device, camera, left, top, width, height);
    return *out ? D3DRM_OK : D3DRMERR_BADVALUE;
}

}  // namespace platform
