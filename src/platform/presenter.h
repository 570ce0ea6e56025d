// Showing the primary surface. Every change of the primary surface's pixels or palette turns
// them, through its palette, into a picture: in a window it is scaled onto the window (paced
// to about 30 pictures a second); headless it is kept in memory for tests to read or save.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Surface;

struct PresentedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
    uint32_t Pixel(uint32_t x, uint32_t y) const { return pixels[y * width + x]; }
};

// The one primary surface alive (null when none); kept by the surface itself.
Surface* PrimarySurface();

// The last presented picture, and how many have been presented since the start.
const PresentedImage& PresentedFrame();
uint64_t PresentedFrameCount();

// Writes the last presented picture as a PNG file; false when it cannot be written.
bool SavePresentedFrame(const std::string& path);

}  // namespace platform
