// The display modes: listed and sorted at start-up, applied when full screen and window are
// switched.
#pragma once
#include <cstdint>

#include "platform/direct3d.h"
#include "platform/direct_draw.h"
#include "platform/rm.h"
#include "platform/surface.h"
#include "platform/types.h"

// Lists the display modes into DisplayModes and chooses 640 x 480 x 8 when it is listed, else
// the largest: 1 done, 0 failed (after the step's box).
int EnumerateDisplayModes();
// Applies FullScreen: the chosen full-screen mode or the 640 x 480 x 8 window. With no mode
// listed full screen is refused with a box and the window applied. 0 when it failed (the
// program is then shut down).
int ApplyDisplayMode();
// Fills the front and back buffers with colour 0.
int ClearBuffers();

// Called once for each display mode while the modes are listed, and their sort order.
platform::HResult EnumDisplayModesCallback(platform::SurfaceDesc* mode, void* context);
int CompareDisplayModes(const void* a, const void* b);
