#include "platform/presenter.h"
#include "platform/presenter_detail.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/limits.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "platform/window_detail.h"

namespace platform {
namespace {
Surface* gPrimary = nullptr;
PresentedImage gFrame;
uint64_t gFrameCount = 0;

// The palette indices and colours the presented picture was made from: rows that have not
// changed since are not converted again.
struct Shown {
    std::vector<uint8_t> indices;  // gFrame.width a row
    uint32_t rgb[PaletteSize] = {};
};
Shown gShown;

// What the picture is drawn with on a real screen.
struct Screen {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    uint32_t textureWidth = 0;
    uint32_t textureHeight = 0;
    uint32_t lastTicks = 0;
};
Screen gScreen;

void DropScreen() {
    if (gScreen.texture) SDL_DestroyTexture(gScreen.texture);
    if (gScreen.renderer) SDL_DestroyRenderer(gScreen.renderer);
    gScreen = Screen{};
}

// Draws the last picture onto the main window; false when there is nothing to draw on.
bool DrawOnScreen() {
    if (Headless() || gFrame.pixels.empty()) return false;
    Hwnd main = MainWindowHandle();
    SDL_Window* window = SdlWindowOf(main);
    if (!window || !IsWindowVisible(main)) return false;
    if (!ScreenRenderer(main)) return false;
    if (!gScreen.texture || gScreen.textureWidth != gFrame.width ||
        gScreen.textureHeight != gFrame.height) {
        if (gScreen.texture) SDL_DestroyTexture(gScreen.texture);
        gScreen.texture =
            SDL_CreateTexture(gScreen.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                              static_cast<int>(gFrame.width), static_cast<int>(gFrame.height));
        if (!gScreen.texture) return false;
        gScreen.textureWidth = gFrame.width;
        gScreen.textureHeight = gFrame.height;
    }
    SDL_UpdateTexture(gScreen.texture, nullptr, gFrame.pixels.data(),
                      static_cast<int>(gFrame.width * 4));
    // The picture area is in window coordinates; the renderer may have more pixels (high DPI).
    SDL_Rect area = PictureArea(window);
    int windowW = 1, windowH = 1, outputW = 1, outputH = 1;
    SDL_GetWindowSize(window, &windowW, &windowH);
    SDL_GetRendererOutputSize(gScreen.renderer, &outputW, &outputH);
    SDL_Rect dest{area.x * outputW / std::max(1, windowW), area.y * outputH / std::max(1, windowH),
                  area.w * outputW / std::max(1, windowW), area.h * outputH / std::max(1, windowH)};
    SDL_SetRenderDrawColor(gScreen.renderer, 0, 0, 0, 255);
    SDL_RenderClear(gScreen.renderer);
    SDL_RenderCopy(gScreen.renderer, gScreen.texture, nullptr, &dest);
    SDL_RenderPresent(gScreen.renderer);
    return true;
}

// Keeps pictures at least PresentIntervalMs apart, so the game runs at the same speed anywhere.
void Pace() {
    uint32_t now = SDL_GetTicks();
    uint32_t since = now - gScreen.lastTicks;
    if (gScreen.lastTicks != 0 && since < PresentIntervalMs) SDL_Delay(PresentIntervalMs - since);
    gScreen.lastTicks = SDL_GetTicks();
}

}  // namespace

void ForgetScreenWindow(SDL_Window* window) {
    if (gScreen.window == window) DropScreen();
}

SDL_Rect PictureArea(SDL_Window* window) {
    int w = 1, h = 1;
    SDL_GetWindowSize(window, &w, &h);
    if (gFrame.width == 0 || gFrame.height == 0) return SDL_Rect{0, 0, w, h};
    // The largest area of the picture's shape that fits, centred.
    int64_t fw = gFrame.width, fh = gFrame.height;
    int areaW = w, areaH = h;
    if (int64_t{w} * fh > int64_t{h} * fw) {
        areaW = static_cast<int>(int64_t{h} * fw / fh);
    } else {
        areaH = static_cast<int>(int64_t{w} * fh / fw);
    }
    return SDL_Rect{(w - areaW) / 2, (h - areaH) / 2, std::max(1, areaW), std::max(1, areaH)};
}

void RedrawPresented() { DrawOnScreen(); }

SDL_Renderer* ScreenRenderer(Hwnd owner) {
    SDL_Window* window = SdlWindowOf(owner);
    if (!window) return nullptr;
    if (gScreen.window != window) {
        DropScreen();
        gScreen.window = window;
        gScreen.renderer = SDL_CreateRenderer(window, -1, 0);
        if (!gScreen.renderer) {
            gScreen.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        }
    }
    return gScreen.renderer;
}

void SetPrimarySurface(Surface* surface) { gPrimary = surface; }
Surface* PrimarySurface() { return gPrimary; }

void PresentPrimary(const Surface& primary) {
    PaletteEntries grey;
    for (uint32_t i = 0; i < PaletteSize; ++i) {
        uint8_t v = static_cast<uint8_t>(i);
        grey[i] = PaletteEntry{v, v, v, 0};
    }
    const PaletteEntries& colours =
        primary.AttachedPalette() ? primary.AttachedPalette()->Entries() : grey;
    uint32_t rgb[PaletteSize];
    for (uint32_t i = 0; i < PaletteSize; ++i) {
        rgb[i] =
            (uint32_t{colours[i].red} << 16) | (uint32_t{colours[i].green} << 8) | colours[i].blue;
    }
    const bool resized = gFrame.width != primary.Width() || gFrame.height != primary.Height();
    gFrame.width = primary.Width();
    gFrame.height = primary.Height();
    const size_t width = gFrame.width;
    gFrame.pixels.resize(width * gFrame.height);
    gShown.indices.resize(width * gFrame.height);
    const bool sameColours = !resized && std::memcmp(rgb, gShown.rgb, sizeof rgb) == 0;
    std::memcpy(gShown.rgb, rgb, sizeof rgb);
    // A row the picture already shows is left; a row equal to the one above (a stretched
    // picture repeats rows) takes its colours. Under the same colours only the runs of eight
    // pixels that changed are converted again.
    const size_t pitch = primary.Pitch();
    for (size_t y = 0; y < gFrame.height; ++y) {
        const uint8_t* row = primary.Pixels() + y * pitch;
        uint8_t* shown = gShown.indices.data() + y * width;
        if (sameColours && std::memcmp(row, shown, width) == 0) continue;
        uint32_t* out = gFrame.pixels.data() + y * width;
        if (y > 0 && std::memcmp(row, row - pitch, width) == 0) {
            std::memcpy(shown, row, width);
            std::memcpy(out, out - width, width * sizeof *out);
            continue;
        }
        size_t x = 0;
        if (sameColours) {
            for (; x + 8 <= width; x += 8) {
                if (std::memcmp(row + x, shown + x, 8) == 0) continue;
                for (size_t i = x; i < x + 8; ++i) out[i] = rgb[row[i]];
            }
        }
        for (; x < width; ++x) out[x] = rgb[row[x]];
        std::memcpy(shown, row, width);
    }
    ++gFrameCount;
    if (DrawOnScreen()) Pace();
}

const PresentedImage& PresentedFrame() { return gFrame; }
uint64_t PresentedFrameCount() { return gFrameCount; }

bool SavePresentedFrame(const std::string& path) {
    if (gFrame.pixels.empty()) return false;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(
        gFrame.pixels.data(), static_cast<int>(gFrame.width), static_cast<int>(gFrame.height), 32,
        static_cast<int>(gFrame.width * 4), SDL_PIXELFORMAT_RGB888);
    if (!image) return false;
    bool ok = IMG_SavePNG(image, path.c_str()) == 0;
    SDL_FreeSurface(image);
    return ok;
}

}  // namespace platform
