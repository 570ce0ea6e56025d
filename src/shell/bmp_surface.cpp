#include "shell/bmp_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/palette.h"
#include "platform/surface.h"
#include "shell/messages.h"

platform::Surface* OverlaySurfaces[MaxOverlayImages];

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

uint32_t Read32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

void ShowBmpError(const char* format, const char* name)
{
    char text[300];
    std::snprintf(text, sizeof text, format, name);
    platform::MessageBox(text, BmpCaption, platform::MB_OK);
}

}  // namespace

int LoadBmpSurface(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface,
                   platform::Palette** palette)
{
    std::unique_ptr<FILE, FileCloser> file(platform::OpenFile(name, "rb"));
    if (!file) {
        ShowBmpError(BmpOpenFailedText, name);
        return 0;
    }
    uint8_t headers[BmpHeadersSize];
    if (std::fread(headers, 1, sizeof headers, file.get()) != sizeof headers) {
        return 0;
    }
    if ((headers[28] | (headers[29] << 8)) != 8) {
        return 1;
    }
    const uint32_t dataOffset = Read32(headers + 10);
    const int32_t width = static_cast<int32_t>(Read32(headers + 18));
    const int32_t height = static_cast<int32_t>(Read32(headers + 22));
    // Pictures stored top row first (negative height), empty ones and colour tables that run
    // backwards are damaged files here.
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000 ||
        dataOffset < BmpHeadersSize) {
        ShowBmpError(BmpOpenFailedText, name);
        return 0;
    }
    // A file too short for its colour table and rows fails as their short read would, before
    // a surface and a block of the picture's size are made for it.
    const size_t rowLength = (static_cast<size_t>(width) + 3) & ~size_t{3};
    const uint64_t needed = uint64_t{dataOffset} + uint64_t{rowLength} * static_cast<uint64_t>(height);
    const long length = std::fseek(file.get(), 0, SEEK_END) == 0 ? std::ftell(file.get()) : -1;
    if (length < 0 || static_cast<uint64_t>(length) < needed ||
        std::fseek(file.get(), BmpHeadersSize, SEEK_SET) != 0) {
        return 0;
    }

    platform::Surface* target = OverlaySurfaces[0];
    if (ddraw && surface) {
        platform::SurfaceDesc desc;
        desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
        desc.caps = platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY;
        desc.width = static_cast<uint32_t>(width);
        desc.height = static_cast<uint32_t>(height);
        if (ddraw->CreateSurface(desc, surface) != platform::DD_OK) {
            ShowBmpError(BmpCreateSurfaceFailedText, name);
            return 0;
        }
        target = *surface;
    }
    if (!target) {
        ShowBmpError(BmpCreateSurfaceFailedText, name);
        return 0;
    }

    std::vector<uint8_t> colours(dataOffset - BmpHeadersSize);
    if (std::fread(colours.data(), 1, colours.size(), file.get()) != colours.size()) {
        return 0;
    }
    if (ddraw && palette) {
        platform::PaletteEntry entries[BmpPaletteEntries] = {};
        const size_t count = std::min<size_t>(colours.size() / 4, BmpPaletteEntries);
        for (int i = 0; i < BmpPaletteEntries; ++i) {
            if (static_cast<size_t>(i) < count) {
                entries[i].red = colours[4 * i + 2];
                entries[i].green = colours[4 * i + 1];
                entries[i].blue = colours[4 * i];
            }
            const bool free = i >= FirstFreePaletteEntry && i <= LastFreePaletteEntry;
            entries[i].flags = free ? platform::D3DPAL_FREE : platform::D3DPAL_READONLY;
        }
        if (ddraw->CreatePalette(platform::DDPCAPS_8BIT, entries, palette) != platform::DD_OK) {
            return 0;
        }
        target->SetPalette(*palette);
    }

    std::vector<uint8_t> rows(rowLength * static_cast<size_t>(height));
    if (std::fread(rows.data(), 1, rows.size(), file.get()) != rows.size()) {
        return 0;
    }
    platform::SurfaceDesc locked;
    if (target->Lock(nullptr, &locked, platform::DDLOCK_WAIT) != platform::DD_OK) {
        return 0;
    }
    // A picture larger than the surface it goes into is cut to the surface.
    const int copyWidth = std::min<int>(width, static_cast<int>(target->Width()));
    const int copyHeight = std::min<int>(height, static_cast<int>(target->Height()));
    uint8_t* out = static_cast<uint8_t*>(locked.surface);
    for (int y = 0; y < copyHeight; ++y) {
        const uint8_t* row = rows.data() + rowLength * static_cast<size_t>(height - 1 - y);
        std::copy(row, row + copyWidth, out + static_cast<ptrdiff_t>(y) * locked.pitch);
    }
    target->Unlock();
    return 1;
}
