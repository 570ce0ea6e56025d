#include "render/portal.h"

ScreenPortalState ScreenPortal = {};

void SetPortal(const PortalQuad* quad, int bottom, int top) {
    ScreenPortal.on = quad != nullptr;
    ScreenPortal.quad = quad != nullptr ? *quad : PortalQuad{};
    ScreenPortal.bottom = bottom;
    ScreenPortal.top = top;
}
