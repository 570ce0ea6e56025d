// BMP pictures read both ways the game reads them: into the display palette's picture (texture
// sheets), and into a new surface with its colour table made a palette (overlay images).
#include "fuzz_harness.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/palette.h"
#include "platform/surface.h"
#include "shell/bmp_surface.h"

namespace {
platform::DirectDraw* DrawObject = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    OverlaySurfaces[0] = new platform::Surface(
        platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY, 256, 256, 1);
    if (platform::DirectDrawCreate(nullptr, &DrawObject) != platform::DD_OK) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.bmp", data, size);
    fuzz::Run([] { LoadBmpSurface("fuzz.bmp", nullptr, nullptr, nullptr); });
    platform::Surface* surface = nullptr;
    platform::Palette* palette = nullptr;
    fuzz::Run([&] { LoadBmpSurface("fuzz.bmp", DrawObject, &surface, &palette); });
    if (palette) palette->Release();
    if (surface) surface->Release();
    return 0;
}
