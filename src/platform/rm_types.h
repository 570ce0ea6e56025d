// Constants of the scene graph, with their customary numeric values.
#pragma once
#include <cstdint>

#include "platform/result_codes.h"

namespace platform {

constexpr HResult D3DRM_OK = 0;

// How a new transform combines with a frame's own.
enum RmCombineType : int32_t {
    D3DRMCOMBINE_REPLACE = 0,
    D3DRMCOMBINE_BEFORE = 1,  // the new one applies first, in the frame's own space
    D3DRMCOMBINE_AFTER = 2,
};

enum RmLightType : int32_t {
    D3DRMLIGHT_AMBIENT = 0,
    D3DRMLIGHT_DIRECTIONAL = 3,  // shines along its frame's +z axis
};

// Where a frame's visuals take their colour and material from.
enum RmMaterialMode : int32_t {
    D3DRMMATERIAL_FROMMESH = 0,
    D3DRMMATERIAL_FROMFRAME = 2,
};

// Device quality: shade mode, lighting and fill, or'ed together.
constexpr uint32_t D3DRMSHADE_FLAT = 0;
constexpr uint32_t D3DRMSHADE_GOURAUD = 1;
constexpr uint32_t D3DRMSHADE_MASK = 7;
constexpr uint32_t D3DRMLIGHT_OFF = 0;
constexpr uint32_t D3DRMLIGHT_ON = 8;
constexpr uint32_t D3DRMLIGHT_MASK = 56;
constexpr uint32_t D3DRMFILL_SOLID = 128;
constexpr uint32_t D3DRMFILL_MASK = 448;
constexpr uint32_t D3DRMRENDER_GOURAUD = D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID;

constexpr int32_t D3DRMTEXTURE_NEAREST = 0;

}  // namespace platform
