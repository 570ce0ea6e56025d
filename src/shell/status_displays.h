// The two status displays over the 3D view, switched with Space: the frame rate (frames and
// triangles a second, measured every hundredth frame) at the top, the display mode at the
// bottom, each text drawn into a surface of its own with colour 0 transparent.
#pragma once
#include <cstdint>

#include "platform/types.h"

// The measured figures and the texts' sizes.
struct StatusFigures {
    int64_t frameCounter;  // every frame drawn
    int32_t framesSinceMeasure;
    uint32_t startTime;           // milliseconds at the last measurement
    uint32_t trianglesAtMeasure;  // the device's triangle count then
    float framesPerSecond;
    int32_t trianglesPerSecond;
    platform::Size frameRateSize;  // the frame-rate text's extent
    platform::Size infoSize;       // the info text's extent
};
extern StatusFigures StatusDisplay;

// A new font for the display size and both surfaces made to the size of their templates.
int CreateStatusSurfaces();
// The frame-rate and info texts drawn into their surfaces.
int FormatFrameRate();
int FormatInfo();
// The measurement starts again from now.
int ResetFrameRate();
// Every frame: counts it, measures every hundredth frame and redraws the text while shown.
int DrawFrameRate();
// Every frame: each shown text centred on the view, the frame rate at the top, the info at
// the bottom.
int DrawInfo();
