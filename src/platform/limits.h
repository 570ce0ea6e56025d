// Sizes and limits of the platform services.
#pragma once
#include <cstdint>

namespace platform {

// Entries of an 8-bit palette.
constexpr uint32_t PaletteSize = 256;

// Surface rows start on multiples of this many bytes.
constexpr uint32_t PitchAlignment = 4;

// The largest surface side accepted (larger requests fail with DDERR_TOOBIGSIZE).
constexpr uint32_t MaxSurfaceSide = 8192;

// The most pixels a picture file (BMP, GIF, PPM) may declare: its readers refuse a larger one
// before they allocate anything for it.
constexpr uint64_t MaxPicturePixels = uint64_t{4096} * 4096;

// The most boxes that name one file, from the start of its reading.
constexpr int MaxBoxesPerFile = 12;

// The 3D rasterizer divides for perspective once in this many pixels of a row.
constexpr int32_t RasterSpanPixels = 8;
// Under a grey light the rasterizer takes a texture's pixels from a table of this many light
// levels from dark to full; textures of more colours than this are lit pixel by pixel.
constexpr int32_t LightShadeLevels = 4096;
constexpr int32_t ShadeColours = 256;
// Such textures are drawn several rows at a time when neither side is longer than this (their
// texel walk then stays within 32 bits).
constexpr int32_t RasterRowsTextureSide = 16384;

}  // namespace platform

namespace platform {

// The display modes offered, smallest first, each at 8 bits per pixel; those larger than the
// desktop are left out.
struct ModeSize {
    uint32_t width;
    uint32_t height;
};
constexpr ModeSize OfferedModes[] = {
    {320, 200}, {320, 240},  {400, 300},  {512, 384},  {640, 400},   {640, 480},
    {800, 600}, {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024},
};
constexpr uint32_t ModeBpp = 8;

// The desktop when there is no screen (headless) and the client size of a window not yet sized.
constexpr ModeSize HeadlessDesktop = {1280, 1024};
constexpr uint32_t HeadlessDesktopBpp = 32;
constexpr ModeSize DefaultClient = {640, 480};

}  // namespace platform

namespace platform {

// Pictures shown in a screen window are at least this far apart (about 30 a second).
constexpr uint32_t PresentIntervalMs = 33;

// Sound output: mixer channels (one per sound buffer) and the device's requested format.
constexpr int MixerChannels = 24;
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int OutputChunkFrames = 1024;
// Formats a sound buffer accepts.
constexpr uint32_t MinSoundRate = 100;
constexpr uint32_t MaxSoundRate = 200000;
constexpr uint32_t MaxSoundBufferBytes = 0x0FFFFFFF;

}  // namespace platform
