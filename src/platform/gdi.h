// Text drawn into 8-bit surfaces through device contexts, with fonts of the Arial metric
// (Liberation Sans). Colours are 0x00BBGGRR values, drawn as the nearest palette entry of the
// surface's palette (or of the primary surface's when the surface has none).
#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

struct DeviceContext;
using Hdc = DeviceContext*;
struct FontObject;
using Hfont = FontObject*;
using ColorRef = uint32_t;

constexpr ColorRef Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return ColorRef{red} | (ColorRef{green} << 8) | (ColorRef{blue} << 16);
}

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr uint32_t VARIABLE_PITCH = 2;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

// A font whose cell (ascent plus descent) is at most `height` pixels; a negative height asks
// for characters of that many pixels. Null when no font can be had.
Hfont CreateFont(int height, int weight, uint32_t pitchAndFamily, const std::string& face);
bool DeleteObject(Hfont font);

// The screen's device context (for measuring; drawing into it does nothing).
Hdc GetDC(Hwnd window);
int ReleaseDC(Hwnd window, Hdc dc);

// Returns the font selected before.
Hfont SelectObject(Hdc dc, Hfont font);
ColorRef SetTextColor(Hdc dc, ColorRef color);
ColorRef SetBkColor(Hdc dc, ColorRef color);
int SetBkMode(Hdc dc, int mode);

// The size the text takes with the selected font: its width, and the font's cell height.
bool GetTextExtentPoint32(Hdc dc, const char* text, int length, Size* size);
// Draws the text with its top-left corner at (x, y). ETO_OPAQUE fills `rect` with the
// background colour first; ETO_CLIPPED keeps the text inside `rect`. With the OPAQUE
// background mode the text's own cells are filled with the background colour.
bool ExtTextOut(Hdc dc, int32_t x, int32_t y, uint32_t options, const Rect* rect, const char* text,
                int length);

}  // namespace platform
