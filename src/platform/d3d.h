// The immediate-mode 3D objects that the game sets up beside the scene graph: the 3D object
// taken from the drawing object, its list of drivers, a device taken from the back buffer and a
// viewport added to it. Everything is drawn by the scene graph's own rasterizer, so these objects
// only keep what the game gives them; the game still builds them in the customary order and
// reports their failures. Each call can be made to fail through InjectFault ("platform/faults.h")
// under these names: D3DQueryInterface, D3DEnumDevices, D3DDeviceQueryInterface,
// D3DCreateViewport, D3DAddViewport and D3DSetViewport.
#pragma once
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/result_codes.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace platform {

// Colour models of a driver.
constexpr uint32_t D3DCOLOR_MONO = 1;
constexpr uint32_t D3DCOLOR_RGB = 2;

// Fields of a device description that are valid.
constexpr uint32_t D3DDD_COLORMODEL = 0x00000001;
constexpr uint32_t D3DDD_DEVICERENDERBITDEPTH = 0x00000080;
constexpr uint32_t D3DDD_DEVICEZBUFFERBITDEPTH = 0x00000100;

// What a driver offers: its colour model (0 for none: a hardware description of a software
// driver), the surface depths it renders to and the depths of the z-buffers it takes (DDBD_*).
struct D3DDeviceDesc {
    uint32_t flags = 0;
    uint32_t colorModel = 0;
    uint32_t deviceRenderBitDepth = 0;
    uint32_t deviceZBufferBitDepth = 0;
};

// Answers of the device enumeration callback.
constexpr HResult D3DENUMRET_CANCEL = 0;
constexpr HResult D3DENUMRET_OK = 1;
using EnumD3DDevicesCallback = HResult (*)(Guid* guid, const char* description, const char* name,
                                           D3DDeviceDesc* hardware, D3DDeviceDesc* software,
                                           void* context);

// The rectangle of the device that a viewport covers, with its scales.
struct D3DViewportData {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
};

class D3DViewport : public RefCounted {
public:
    // D3DERR_SETVIEWPORTDATA_FAILED for an empty rectangle.
    HResult SetViewport(const D3DViewportData& data);
    const D3DViewportData& Data() const { return data_; }

private:
    D3DViewportData data_;
};

class D3DDevice : public RefCounted {
public:
    explicit D3DDevice(Surface* target);
    HResult AddViewport(D3DViewport* viewport);
    Surface* Target() const { return target_; }

protected:
    ~D3DDevice() override;

private:
    Surface* target_;
    D3DViewport* viewport_ = nullptr;
};

class Direct3D : public RefCounted {
public:
    // Lists the drivers, the software ones: a monochrome (ramp) driver and an RGB driver, both
    // rendering to 8-bit surfaces with 16-bit z-buffers.
    HResult EnumDevices(EnumD3DDevicesCallback callback, void* context) const;
    HResult CreateViewport(D3DViewport** viewport);
};

// The 3D object of a drawing object (its query for the 3D interface).
HResult QueryDirect3D(DirectDraw* ddraw, Direct3D** object);
// The device of driver `driver` on a surface made with DDSCAPS_3DDEVICE (the surface's query for
// the driver's interface); DDERR_INVALIDCAPS for another surface, DDERR_INVALIDPARAMS for a
// driver that is not listed.
HResult QueryD3DDevice(Surface* surface, const Guid& driver, D3DDevice** device);

}  // namespace platform
