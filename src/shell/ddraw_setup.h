// Start-up of the drawing objects: the display drivers listed, the drawing object and the
// scene-graph object made, the secondary driver's abilities checked. Each step: 1 done, 0 failed
// (after the step's box).
#pragma once
#include <cstdint>

#include "platform/direct3d.h"
#include "platform/direct_draw.h"
#include "platform/rm.h"
#include "platform/surface.h"
#include "platform/types.h"

int InitDirectDraw();
int CreateD3DRM();
int CheckDriverCaps();

// Called once for each display driver while the drivers are listed.
int EnumDirectDrawCallback(platform::Guid* guid, const char* description, const char* name,
                           void* context);
