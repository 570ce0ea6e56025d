// The 3D device layer under the scene graph: the list of drivers (one, in software), a device
// made on an 8-bit surface with its statistics, and viewports. Drawing itself is the scene
// graph's; it reports the triangles it draws here.
#pragma once
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/result_codes.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace platform {

// Colour models.
constexpr uint32_t D3DCOLOR_MONO = 1;
constexpr uint32_t D3DCOLOR_RGB = 2;

// Fields of a device description that are valid.
constexpr uint32_t D3DDD_COLORMODEL = 0x00000001;
constexpr uint32_t D3DDD_DEVICERENDERBITDEPTH = 0x00000080;
constexpr uint32_t D3DDD_DEVICEZBUFFERBITDEPTH = 0x00000100;

struct D3DDeviceDesc {
    uint32_t flags = 0;                  // D3DDD_* fields that are valid
    uint32_t colorModel = 0;             // 0: not a driver of this kind (no hardware)
    uint32_t deviceRenderBitDepth = 0;   // DDBD_*
    uint32_t deviceZBufferBitDepth = 0;  // DDBD_*
};

struct D3DStats {
    uint32_t trianglesDrawn = 0;
    uint32_t linesDrawn = 0;
    uint32_t pointsDrawn = 0;
    uint32_t spansDrawn = 0;
    uint32_t verticesProcessed = 0;
};

struct D3DViewportDesc {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    float scaleX = 0;
    float scaleY = 0;
    float maxX = 0;
    float maxY = 0;
    float minZ = 0;
    float maxZ = 0;
};

// Answers DDENUMRET_OK to go on, DDENUMRET_CANCEL to stop.
using EnumD3DDevicesCallback = HResult (*)(Guid* guid, const char* description, const char* name,
                                           D3DDeviceDesc* hardware, D3DDeviceDesc* software,
                                           void* context);

class Direct3DViewport : public RefCounted {
public:
    HResult SetViewport(const D3DViewportDesc* desc);
    HResult GetViewport(D3DViewportDesc* desc) const;

private:
    D3DViewportDesc desc_;
};

class Direct3DDevice : public RefCounted {
public:
    explicit Direct3DDevice(Surface* target);
    HResult AddViewport(Direct3DViewport* viewport);
    // Triangles drawn since the device was made, and the other counts (always 0).
    HResult GetStats(D3DStats* stats) const;

protected:
    ~Direct3DDevice() override;

private:
    Surface* target_;
    Direct3DViewport* viewport_ = nullptr;
    uint64_t trianglesAtStart_;
};

class Direct3D : public RefCounted {
public:
    HResult EnumDevices(EnumD3DDevicesCallback callback, void* context) const;
    HResult CreateViewport(Direct3DViewport** viewport);
};

// The 3D side of a drawing object.
HResult QueryDirect3D(DirectDraw* object, Direct3D** d3d);
// A device drawing into an 8-bit surface, for a driver listed by EnumDevices.
HResult CreateDirect3DDevice(Surface* target, const Guid& driver, Direct3DDevice** device);

// Counted by the scene graph's rasterizer; read through GetStats.
void CountTrianglesDrawn(uint32_t count);

}  // namespace platform
