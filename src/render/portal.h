#pragma once
// The screen portal: a second, four-edge clip given by four floor-plan corners (x, z) and the
// heights of its bottom and top. Binding the view switches it off every frame and nothing in the
// game switches it on, so it changes no drawing.
#include "base/fixed.h"

struct PortalCorner {
    Fixed16 x;
    Fixed16 z;
};

struct PortalQuad {
    PortalCorner corners[4];
};

struct ScreenPortalState {
    bool on;
    PortalQuad quad;
    int bottom;
    int top;
};
extern ScreenPortalState ScreenPortal;

// Takes the portal from quad, bottom and top; a null quad switches it off.
void SetPortal(const PortalQuad* quad, int bottom, int top);
