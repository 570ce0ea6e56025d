#include "platform/d3d.h"

#include <cstring>

#include "platform/draw_constants.h"
#include "platform/faults.h"

namespace platform {
namespace {

struct DriverInfo {
    uint8_t guidByte;
    const char* description;
    const char* name;
    uint32_t colorModel;
};

// Two software drivers; their hardware descriptions are empty.
constexpr DriverInfo kDrivers[] = {
    {1, "Monochrome (ramp) software renderer", "Ramp Emulation", D3DCOLOR_MONO},
    {2, "RGB software renderer", "RGB Emulation", D3DCOLOR_RGB},
};

Guid DriverGuid(const DriverInfo& info) {
    Guid guid;
    guid.bytes[0] = info.guidByte;
    guid.bytes[15] = 0xD3;
    return guid;
}

bool Listed(const Guid& guid) {
    for (const DriverInfo& info : kDrivers) {
        Guid listed = DriverGuid(info);
        if (std::memcmp(listed.bytes, guid.bytes, sizeof guid.bytes) == 0) return true;
    }
    return false;
}

}  // namespace

HResult D3DViewport::SetViewport(const D3DViewportData& data) {
    if (HResult fault = TakeFault("D3DSetViewport")) return fault;
    if (data.width <= 0 || data.height <= 0) return D3DERR_SETVIEWPORTDATA_FAILED;
    data_ = data;
    return DD_OK;
}

D3DDevice::D3DDevice(Surface* target) : target_(target) { target_->AddRef(); }

D3DDevice::~D3DDevice() {
    if (viewport_) viewport_->Release();
    target_->Release();
}

HResult D3DDevice::AddViewport(D3DViewport* viewport) {
    if (HResult fault = TakeFault("D3DAddViewport")) return fault;
    if (!viewport) return DDERR_INVALIDPARAMS;
    viewport->AddRef();
    if (viewport_) viewport_->Release();
    viewport_ = viewport;
    return DD_OK;
}

HResult Direct3D::EnumDevices(EnumD3DDevicesCallback callback, void* context) const {
    if (HResult fault = TakeFault("D3DEnumDevices")) return fault;
    if (!callback) return DDERR_INVALIDPARAMS;
    for (const DriverInfo& info : kDrivers) {
        Guid guid = DriverGuid(info);
        D3DDeviceDesc hardware;
        hardware.flags = D3DDD_COLORMODEL;
        D3DDeviceDesc software;
        software.flags = D3DDD_COLORMODEL | D3DDD_DEVICERENDERBITDEPTH | D3DDD_DEVICEZBUFFERBITDEPTH;
        software.colorModel = info.colorModel;
        software.deviceRenderBitDepth = DDBD_8;
        software.deviceZBufferBitDepth = DDBD_16;
        if (callback(&guid, info.description, info.name, &hardware, &software, context) ==
            D3DENUMRET_CANCEL) {
            break;
        }
    }
    return DD_OK;
}

HResult Direct3D::CreateViewport(D3DViewport** viewport) {
    if (HResult fault = TakeFault("D3DCreateViewport")) return fault;
    if (!viewport) return DDERR_INVALIDPARAMS;
    *viewport = new D3DViewport();
    return DD_OK;
}

HResult QueryDirect3D(DirectDraw* ddraw, Direct3D** object) {
    if (HResult fault = TakeFault("D3DQueryInterface")) return fault;
    if (!ddraw || !object) return DDERR_INVALIDPARAMS;
    *object = new Direct3D();
    return DD_OK;
}

HResult QueryD3DDevice(Surface* surface, const Guid& driver, D3DDevice** device) {
    if (HResult fault = TakeFault("D3DDeviceQueryInterface")) return fault;
    if (!surface || !device) return DDERR_INVALIDPARAMS;
    *device = nullptr;
    if (!(surface->Caps() & DDSCAPS_3DDEVICE)) return DDERR_INVALIDCAPS;
    if (!Listed(driver)) return DDERR_INVALIDPARAMS;
    *device = new D3DDevice(surface);
    return DD_OK;
}

}  // namespace platform
