#pragma once
// 8-bit BMP pictures read into surfaces, with their colour tables made into palettes.
#include "shell/limits.h"

namespace platform {
class DirectDraw;
class Surface;
class Palette;
}  // namespace platform

// The surfaces of the overlay images; entry 0 holds the display palette's picture and is the
// surface that texture sheets are read into.
extern platform::Surface* OverlaySurfaces[MaxOverlayImages];

// Reads an uncompressed 8-bit BMP file. With a drawing object and a surface slot, into a new
// system-memory surface of the picture's size; otherwise into OverlaySurfaces[0] (cut to its
// size). With a drawing object and a palette slot, the colour table also becomes a palette
// attached to the surface. 1 when loaded (also when the picture is not 8-bit, which loads
// nothing), 0 after a failure.
int LoadBmpSurface(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface,
                   platform::Palette** palette);
