// The game's own reader of GIF pictures (GIF87a and GIF89a) used for ".gif" textures. One image
// of the file is decoded into an 8-bit palettised image the size of the file's logical screen,
// from which a scene texture is made.
// A damaged file is fatal: the message goes to the standard error stream, and the game shows it
// in a box that names the file and ends. Lesser faults are warned about on the standard error
// stream and reading goes on.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "anim/limits.h"
#include "platform/palette.h"
#include "platform/rm_texture.h"

// Flag of a palette entry copied from the file's colour tables.
inline constexpr uint8_t PaletteEntryReadOnly = 1;

// An 8-bit image of palette indices: `height` rows of `bytesPerLine` bytes (the width rounded up
// to a multiple of 4), top row first. `paletteSize` entries of the palette are in use.
struct PalettedImage {
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    std::vector<uint8_t> pixels;
    int paletteSize = GifPaletteEntries;
    std::array<platform::PaletteEntry, GifPaletteEntries> palette{};

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * bytesPerLine + x]; }
};

// A file the decoder cannot go on with; what() is the decoder's text.
struct GifFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decodes image number `imageNumber` (counted from 1) of an open GIF file. Its pixels are placed
// from the screen's top-left corner and clipped to the screen; its palette is the global colour
// table overlaid by the image's own table. Never returns null: a damaged file throws GifFault.
std::unique_ptr<PalettedImage> DecodeGifImage(FILE* file, int imageNumber);

// A texture made from image `imageNumber` of an open GIF file; the texture keeps the decoded
// image. Null only when no texture can be made of it (an empty screen).
platform::RmTexture* DecodeGifFile(FILE* file, int imageNumber);

// The texture of a game file's first image, with decal transparency on and pure green as the
// transparent colour; null, without a message, when the file cannot be opened. A damaged file
// is shown with its name and the decoder's text, and the game ends (null).
platform::RmTexture* LoadGifTexture(const std::string& fileName);

// Prints the formatted message and a newline on the standard error stream and throws it as a
// GifFault.
[[noreturn]] void ReportGifError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints the formatted message and a newline on the standard error stream.
void ReportGifWarning(const char* format, ...) __attribute__((format(printf, 1, 2)));
