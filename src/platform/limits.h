// Sizes and limits of the platform services.
#pragma once
#include <cstdint>

namespace platform {

// Entries of an 8-bit palette.
constexpr uint32_t kPaletteSize = 256;

// Surface rows start on multiples of this many bytes.
constexpr uint32_t kPitchAlignment = 4;

// The largest surface side accepted (larger requests fail with DDERR_TOOBIGSIZE).
constexpr uint32_t kMaxSurfaceSide = 8192;

// The 3D rasterizer divides for perspective once in this many pixels of a row.
constexpr int32_t kRasterSpanPixels = 8;
// Under a grey light the rasterizer takes a texture's pixels from a table of this many light
// levels from dark to full; textures of more colours than this are lit pixel by pixel.
constexpr int32_t kShadeLevels = 4096;
constexpr int32_t kShadeColours = 256;

}  // namespace platform

namespace platform {

// The display modes offered, smallest first, each at 8 bits per pixel; those larger than the
// desktop are left out.
struct ModeSize {
    uint32_t width;
    uint32_t height;
};
constexpr ModeSize kOfferedModes[] = {
    {320, 200}, {320, 240},  {400, 300},  {512, 384},  {640, 400},   {640, 480},
    {800, 600}, {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024},
};
constexpr uint32_t kDisplayBpp = 8;

// The desktop when there is no screen (headless) and the client size of a window not yet sized.
constexpr ModeSize kHeadlessDesktop = {1280, 1024};
constexpr uint32_t kHeadlessDesktopBpp = 32;
constexpr ModeSize kDefaultClient = {640, 480};

}  // namespace platform

namespace platform {

// Pictures shown in a screen window are at least this far apart (about 30 a second).
constexpr uint32_t kPresentIntervalMs = 33;

// Sound output: mixer channels (one per sound buffer) and the device's requested format.
constexpr int kMixerChannels = 24;
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kOutputChunkFrames = 1024;
// Formats a sound buffer accepts.
constexpr uint32_t kMinSoundRate = 100;
constexpr uint32_t kMaxSoundRate = 200000;
constexpr uint32_t kMaxSoundBufferBytes = 0x0FFFFFFF;

}  // namespace platform
