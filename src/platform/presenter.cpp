#include "platform/presenter.h"

#include <SDL.h>
#include <SDL_image.h>

#include "platform/surface.h"

namespace platform {
namespace {
Surface* gPrimary = nullptr;
PresentedImage gFrame;
uint64_t gFrameCount = 0;
}  // namespace

void SetPrimarySurface(Surface* surface) { gPrimary = surface; }
Surface* PrimarySurface() { return gPrimary; }

void PresentPrimary(const Surface& primary) {
    PaletteEntries grey;
    for (uint32_t i = 0; i < kPaletteSize; ++i) {
        uint8_t v = static_cast<uint8_t>(i);
        grey[i] = PaletteEntry{v, v, v, 0};
    }
    const PaletteEntries& colours =
        primary.AttachedPalette() ? primary.AttachedPalette()->Entries() : grey;
    uint32_t rgb[kPaletteSize];
    for (uint32_t i = 0; i < kPaletteSize; ++i) {
        rgb[i] = (uint32_t{colours[i].red} << 16) | (uint32_t{colours[i].green} << 8) |
                 colours[i].blue;
    }
    gFrame.width = primary.Width();
    gFrame.height = primary.Height();
    gFrame.pixels.resize(static_cast<size_t>(gFrame.width) * gFrame.height);
    for (uint32_t y = 0; y < gFrame.height; ++y) {
        const uint8_t* row = primary.Pixels() + static_cast<size_t>(y) * primary.Pitch();
        uint32_t* out = gFrame.pixels.data() + static_cast<size_t>(y) * gFrame.width;
        for (uint32_t x = 0; x < gFrame.width; ++x) out[x] = rgb[row[x]];
    }
    ++gFrameCount;
}

const PresentedImage& PresentedFrame() { return gFrame; }
uint64_t PresentedFrameCount() { return gFrameCount; }

bool SavePresentedFrame(const std::string& path) {
    if (gFrame.pixels.empty()) return false;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(
        gFrame.pixels.data(), static_cast<int>(gFrame.width), static_cast<int>(gFrame.height),
        32, static_cast<int>(gFrame.width * 4), SDL_PIXELFORMAT_RGB888);
    if (!image) return false;
    bool ok = IMG_SavePNG(image, path.c_str()) == 0;
    SDL_FreeSurface(image);
    return ok;
}

}  // namespace platform
