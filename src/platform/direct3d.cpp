#include "platform/direct3d.h"

#include <cstring>

#include "platform/draw_constants.h"
#include "platform/faults.h"

namespace platform {
namespace {

uint64_t gTriangles = 0;

// The one driver: the software rasterizer, drawing 8-bit pictures with a 16-bit depth buffer.
constexpr Guid SoftwareDriver{{0x53, 0x6f, 0x66, 0x74, 0x77, 0x61, 0x72, 0x65, 0x20, 0x38, 0x2d,
                               0x62, 0x69, 0x74, 0x00, 0x01}};

}  // namespace

HResult Direct3DViewport::SetViewport(const D3DViewportDesc* desc) {
    if (HResult fault = TakeFault("SetViewport")) return fault;
    if (!desc) return DDERR_INVALIDPARAMS;
    desc_ = *desc;
    return DD_OK;
}

HResult Direct3DViewport::GetViewport(D3DViewportDesc* desc) const {
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = desc_;
    return DD_OK;
}

Direct3DDevice::Direct3DDevice(Surface* target) : target_(target), trianglesAtStart_(gTriangles) {
    target_->AddRef();
}

Direct3DDevice::~Direct3DDevice() {
    if (viewport_) viewport_->Release();
    target_->Release();
}

HResult Direct3DDevice::AddViewport(Direct3DViewport* viewport) {
    if (HResult fault = TakeFault("AddViewport")) return fault;
    if (!viewport) return DDERR_INVALIDPARAMS;
    viewport->AddRef();
    if (viewport_) viewport_->Release();
    viewport_ = viewport;
    return DD_OK;
}

HResult Direct3DDevice::GetStats(D3DStats* stats) const {
    if (!stats) return DDERR_INVALIDPARAMS;
    *stats = D3DStats{};
    stats->trianglesDrawn = static_cast<uint32_t>(gTriangles - trianglesAtStart_);
    return DD_OK;
}

HResult Direct3D::EnumDevices(EnumD3DDevicesCallback callback, void* context) const {
    if (HResult fault = TakeFault("EnumDevices")) return fault;
    if (!callback) return DDERR_INVALIDPARAMS;
    Guid guid = SoftwareDriver;
    D3DDeviceDesc hardware;  // no hardware: colour model 0
    hardware.flags = D3DDD_COLORMODEL;
    D3DDeviceDesc software;
    software.flags = D3DDD_COLORMODEL | D3DDD_DEVICERENDERBITDEPTH | D3DDD_DEVICEZBUFFERBITDEPTH;
    software.colorModel = D3DCOLOR_MONO;
    software.deviceRenderBitDepth = DDBD_8;
    software.deviceZBufferBitDepth = DDBD_16;
    char description[] = "Software rasterizer";
    char name[] = "Software";
    callback(&guid, description, name, &hardware, &software, context);
    return DD_OK;
}

HResult Direct3D::CreateViewport(Direct3DViewport** viewport) {
    if (HResult fault = TakeFault("CreateViewport")) return fault;
    if (!viewport) return DDERR_INVALIDPARAMS;
    *viewport = new Direct3DViewport();
    return DD_OK;
}

HResult QueryDirect3D(DirectDraw* object, Direct3D** d3d) {
    if (HResult fault = TakeFault("QueryDirect3D")) return fault;
    if (!object || !d3d) return DDERR_INVALIDPARAMS;
    *d3d = new Direct3D();
    return DD_OK;
}

HResult CreateDirect3DDevice(Surface* target, const Guid& driver, Direct3DDevice** device) {
    if (HResult fault = TakeFault("CreateDirect3DDevice")) return fault;
    if (!target || !device) return DDERR_INVALIDPARAMS;
    *device = nullptr;
    if (std::memcmp(driver.bytes, SoftwareDriver.bytes, sizeof driver.bytes) != 0) {
        return DDERR_INVALIDDIRECTDRAWGUID;
    }
    if (!(target->Caps() & DDSCAPS_3DDEVICE)) return DDERR_INVALIDCAPS;
    *device = new Direct3DDevice(target);
    return DD_OK;
}

void CountTrianglesDrawn(uint32_t count) { gTriangles += count; }

}  // namespace platform
