// Lights of the scene graph: ambient light lights every face alike; a directional light shines
// along the +z axis of the frame it hangs on. Colours are red, green, blue in 0.0 .. 1.0.
#pragma once
#include "platform/rm_types.h"
#include "platform/types.h"

namespace platform {

struct RmRgb {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

class RmLight : public RefCounted {
public:
    // Null for a type other than ambient or directional.
    static RmLight* Create(RmLightType type, float red, float green, float blue);

    RmLightType GetType() const { return type_; }
    HResult SetColorRGB(float red, float green, float blue);
    RmRgb Color() const { return color_; }

private:
    RmLight(RmLightType type, RmRgb color) : type_(type), color_(color) {}

    RmLightType type_;
    RmRgb color_;
};

}  // namespace platform
