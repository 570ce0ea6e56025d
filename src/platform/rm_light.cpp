#include "platform/rm_light.h"

namespace platform {

RmLight* RmLight::Create(RmLightType type, float red, float green, float blue) {
    if (type != D3DRMLIGHT_AMBIENT && type != D3DRMLIGHT_DIRECTIONAL) return nullptr;
    return new RmLight(type, {red, green, blue});
}

HResult RmLight::SetColorRGB(float red, float green, float blue) {
    color_ = {red, green, blue};
    return D3DRM_OK;
}

}  // namespace platform
