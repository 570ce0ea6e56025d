#pragma once
// 8-bit BMP pictures read into surfaces, with their colour tables made into palettes, and
// overlay pictures.
#include "shell/limits.h"

namespace platform {
class DirectDraw;
class Surface;
class Palette;
}  // namespace platform

// The display palette's picture file, read each time the display mode is applied.
extern char PaletteFileName[PaletteFileNameSize];

// The surfaces of the overlay images; entry 0 holds the display palette's picture and is the
// surface that texture sheets are read into.
extern platform::Surface* OverlaySurfaces[MaxOverlayImages];

// Reads an uncompressed 8-bit BMP file. With a drawing object and a surface slot, into a new
// system-memory surface of the picture's size; otherwise into OverlaySurfaces[0] (cut to its
// size). With a drawing object and a palette slot, the colour table also becomes a palette
// attached to the surface. 1 when loaded, 0 after a failure; a file that cannot be opened, is
// damaged or cut short is named in a box "Open ... failed.", one that is not 8-bit or too large
// in a box that names its depth or its size.
int LoadBmpSurface(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface,
                   platform::Palette** palette);

// Reads an overlay picture into a new system-memory surface, recording its size for the current
// overlay image (whatever its depth). 1 loaded, 0 failed (also for a picture that is not 8-bit);
// failures are named as LoadBmpSurface names them.
int LoadBmpImage(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface);
