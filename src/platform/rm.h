// The scene-graph object through which the game makes frames, meshes, materials, lights,
// textures, devices and viewports. Every object it makes comes with one reference for the
// caller, who releases it when done; a failure returns a code and a null object.
// The calls whose failures the game reports can be made to fail through InjectFault
// ("platform/faults.h") under their own names: Direct3DRMCreate, CreateFrame, CreateLightRGB,
// CreateDeviceFromSurface, CreateViewport, and on the objects SetPosition, AddLight,
// SetQuality, SetTextureQuality, SetDither, AddUpdateCallback, SetBack, SetPlane and Clear.
#pragma once
#include <cstdint>
#include <string>

#include "platform/rm_device.h"
#include "platform/rm_frame.h"
#include "platform/rm_light.h"
#include "platform/rm_material.h"
#include "platform/rm_math.h"
#include "platform/rm_mesh.h"
#include "platform/rm_texture.h"
#include "platform/rm_types.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace platform {

class RetainedMode : public RefCounted {
public:
    static HResult Create(RetainedMode** out);

    HResult CreateFrame(RmFrame* parent, RmFrame** out);
    HResult CreateMeshBuilder(RmMeshBuilder** out);
    // D3DRMERR_BADVALUE for a type other than ambient or directional.
    HResult CreateLightRGB(RmLightType type, float red, float green, float blue, RmLight** out);
    // A device drawing into an 8-bit surface with the palette attached to it at drawing time;
    // the device keeps the surface alive. D3DRMERR_BADOBJECT for a null surface.
    HResult CreateDeviceFromSurface(Surface* surface, RmDevice** out);
    // D3DRMERR_BADVALUE when the rectangle is empty or not inside the device.
    HResult CreateViewport(RmDevice* device, RmFrame* camera, int32_t left, int32_t top,
                           int32_t width, int32_t height, RmViewport** out);

private:
    RetainedMode() = default;
};

}  // namespace platform
