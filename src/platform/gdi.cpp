#include "platform/gdi.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <string>

#include "platform/faults.h"
#include "platform/gdi_detail.h"
#include "platform/presenter.h"
#include "platform/surface.h"

#ifndef DUSK_FONT_FILE
#error "DUSK_FONT_FILE names the font file"
#endif

namespace platform {

struct FontObject {
    TTF_Font* font = nullptr;
};

namespace {

bool FontsUp() { return TTF_WasInit() > 0 || TTF_Init() == 0; }

// The palette index drawn for a colour on the surface.
uint8_t IndexOf(const Surface& surface, ColorRef color) {
    uint8_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    const Palette* palette = surface.AttachedPalette();
    if (!palette && PrimarySurface()) palette = PrimarySurface()->AttachedPalette();
    if (palette) return palette->NearestIndex(r, g, b);
    // No palette anywhere: the grey ramp that the presenter shows such surfaces with.
    return static_cast<uint8_t>((r + g + b) / 3);
}

std::string Cut(const char* text, int length) {
    if (!text || length <= 0) return {};
    return std::string(text, static_cast<size_t>(length));
}

// Fills the part of `rect` inside both the surface and `clip` with one index.
void Fill(Surface& s, Rect rect, const Rect& clip, uint8_t index) {
    int32_t left = std::max({rect.left, clip.left, 0});
    int32_t top = std::max({rect.top, clip.top, 0});
    int32_t right = std::min({rect.right, clip.right, static_cast<int32_t>(s.Width())});
    int32_t bottom = std::min({rect.bottom, clip.bottom, static_cast<int32_t>(s.Height())});
    for (int32_t y = top; y < bottom; ++y) {
        uint8_t* row = s.Pixels() + static_cast<size_t>(y) * s.Pitch();
        for (int32_t x = left; x < right; ++x) row[x] = index;
    }
}

}  // namespace

Hfont CreateFont(int height, int, uint32_t, const std::string&) {
    if (TakeFault("CreateFont") || height == 0 || !FontsUp()) return nullptr;
    TTF_Font* font = nullptr;
    if (height < 0) {
        font = TTF_OpenFont(DUSK_FONT_FILE, -height);
    } else {
        // The largest size whose cell fits the height asked for.
        for (int size = height; size > 0 && !font; --size) {
            font = TTF_OpenFont(DUSK_FONT_FILE, size);
            if (font && TTF_FontHeight(font) > height && size > 1) {
                TTF_CloseFont(font);
                font = nullptr;
            }
        }
    }
    if (!font) return nullptr;
    return new FontObject{font};
}

bool DeleteObject(Hfont font) {
    if (!font) return false;
    TTF_CloseFont(font->font);
    delete font;
    return true;
}

Hdc GetDC(Hwnd) { return new DeviceContext(); }

int ReleaseDC(Hwnd, Hdc dc) {
    if (!dc || dc->surface) return 0;
    delete dc;
    return 1;
}

Hfont SelectObject(Hdc dc, Hfont font) {
    if (!dc) return nullptr;
    Hfont old = dc->font;
    dc->font = font;
    return old;
}

ColorRef SetTextColor(Hdc dc, ColorRef color) {
    if (!dc) return 0;
    ColorRef old = dc->textColor;
    dc->textColor = color;
    return old;
}

ColorRef SetBkColor(Hdc dc, ColorRef color) {
    if (!dc) return 0;
    ColorRef old = dc->bkColor;
    dc->bkColor = color;
    return old;
}

int SetBkMode(Hdc dc, int mode) {
    if (!dc) return 0;
    int old = dc->bkMode;
    dc->bkMode = mode;
    return old;
}

bool GetTextExtentPoint32(Hdc dc, const char* text, int length, Size* size) {
    if (!dc || !dc->font || !size) return false;
    std::string s = Cut(text, length);
    int w = 0, h = 0;
    if (!s.empty() && TTF_SizeUTF8(dc->font->font, s.c_str(), &w, &h) != 0) return false;
    *size = Size{w, TTF_FontHeight(dc->font->font)};
    return true;
}

bool ExtTextOut(Hdc dc, int32_t x, int32_t y, uint32_t options, const Rect* rect, const char* text,
                int length) {
    if (!dc || !dc->surface) return false;
    Surface& target = *dc->surface;
    const Rect everywhere{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
    const Rect clip = (rect && (options & ETO_CLIPPED)) ? *rect : everywhere;
    const uint8_t bk = IndexOf(target, dc->bkColor);
    if (rect && (options & ETO_OPAQUE)) Fill(target, *rect, clip, bk);

    std::string s = Cut(text, length);
    if (s.empty()) return true;
    if (!dc->font) return false;
    SDL_Surface* glyphs =
        TTF_RenderUTF8_Solid(dc->font->font, s.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return false;
    const uint8_t fg = IndexOf(target, dc->textColor);
    const bool opaque = dc->bkMode == OPAQUE;
    SDL_LockSurface(glyphs);
    for (int gy = 0; gy < glyphs->h; ++gy) {
        const int64_t ty = int64_t{y} + gy;
        if (ty < std::max<int64_t>(clip.top, 0) ||
            ty >= std::min<int64_t>(clip.bottom, target.Height())) {
            continue;
        }
        const uint8_t* in = static_cast<const uint8_t*>(glyphs->pixels) + gy * glyphs->pitch;
        uint8_t* out = target.Pixels() + ty * target.Pitch();
        for (int gx = 0; gx < glyphs->w; ++gx) {
            const int64_t tx = int64_t{x} + gx;
            if (tx < std::max<int64_t>(clip.left, 0) ||
                tx >= std::min<int64_t>(clip.right, target.Width())) {
                continue;
            }
            if (in[gx] != 0) {
                out[tx] = fg;
            } else if (opaque) {
                out[tx] = bk;
            }
        }
    }
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
    return true;
}

}  // namespace platform
