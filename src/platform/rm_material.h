// Materials: the specular highlight of the faces that use them.
#pragma once
#include "platform/rm_light.h"
#include "platform/types.h"

namespace platform {

class RmMaterial : public RefCounted {
public:
    explicit RmMaterial(float power) : power_(power) {}

    // The sharpness of the highlight: higher is smaller.
    float GetPower() const { return power_; }
    HResult SetSpecular(float red, float green, float blue) {
        specular_ = {red, green, blue};
        return D3DRM_OK;
    }
    RmRgb Specular() const { return specular_; }

private:
    float power_;
    RmRgb specular_;  // black: no highlight
};

}  // namespace platform
