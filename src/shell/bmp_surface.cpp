#include "shell/bmp_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/files.h"
#include "platform/limits.h"
#include "platform/message_box.h"
#include "platform/palette.h"
#include "platform/surface.h"
#include "shell/messages.h"
#include "shell/overlays.h"

platform::Surface* OverlaySurfaces[MaxOverlayImages];
char PaletteFileName[PaletteFileNameSize] = "";

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using BmpFile = std::unique_ptr<FILE, FileCloser>;

uint32_t Read32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

// The format's numbers follow the file's name.
template <typename... Numbers>
void ShowBmpError(const char* format, const char* name, Numbers... numbers) {
    char text[400];
    std::snprintf(text, sizeof text, format, name, numbers...);
    platform::MessageBox(text, BmpCaption, platform::MB_OK);
}

// What the two headers say.
struct BmpHeader {
    uint32_t dataOffset;
    int32_t width;
    int32_t height;
    int bitsPerPixel;
};

// Opens the file and reads its headers; false after a failure, reported with the file's name.
bool OpenBmp(const char* name, BmpFile& file, BmpHeader& header) {
    file.reset(platform::OpenFile(name, "rb"));
    if (!file) {
        ShowBmpError(BmpOpenFailedText, name);
        return false;
    }
    uint8_t bytes[BmpHeadersSize];
    if (std::fread(bytes, 1, sizeof bytes, file.get()) != sizeof bytes) {
        ShowBmpError(BmpOpenFailedText, name);
        return false;
    }
    header.dataOffset = Read32(bytes + 10);
    header.width = static_cast<int32_t>(Read32(bytes + 18));
    header.height = static_cast<int32_t>(Read32(bytes + 22));
    header.bitsPerPixel = bytes[28] | (bytes[29] << 8);
    return true;
}

// A picture that is not 8-bit is named with its depth.
bool CheckDepth(const char* name, const BmpHeader& header) {
    if (header.bitsPerPixel == 8) return true;
    ShowBmpError(BmpDepthText, name, header.bitsPerPixel);
    return false;
}

// Pictures of more pixels than a picture may have, or wider or taller than MaxBmpSide, are named
// with their size. Pictures stored top row first (negative height), empty ones, pixel data that
// starts inside the headers or past the end of the file, and files too short for their rows are
// damaged files here: reported with the open failure's text. Both are reported before a surface
// and a block of the picture's size are made for them.
bool CheckBmp(const char* name, FILE* file, const BmpHeader& header) {
    if (header.width > MaxBmpSide || header.height > MaxBmpSide ||
        static_cast<uint64_t>(std::max(header.width, 0)) *
                static_cast<uint64_t>(std::max(header.height, 0)) >
            platform::MaxPicturePixels) {
        ShowBmpError(BmpTooLargeText, name, header.width, header.height);
        return false;
    }
    const long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    const bool seekable = std::fseek(file, BmpHeadersSize, SEEK_SET) == 0 && length >= 0;
    const uint64_t rowLength = (static_cast<uint64_t>(header.width) + 3) & ~uint64_t{3};
    const uint64_t needed =
        header.dataOffset + rowLength * static_cast<uint64_t>(std::max(header.height, 0));
    if (!seekable || header.width <= 0 || header.height <= 0 ||
        header.dataOffset < BmpHeadersSize ||
        header.dataOffset > static_cast<unsigned long>(length) ||
        static_cast<uint64_t>(length) < needed) {
        ShowBmpError(BmpOpenFailedText, name);
        return false;
    }
    return true;
}

platform::Surface* CreateBmpSurface(const char* name, platform::DirectDraw* ddraw,
                                    const BmpHeader& header, platform::Surface** slot) {
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.caps = platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY;
    desc.width = static_cast<uint32_t>(header.width);
    desc.height = static_cast<uint32_t>(header.height);
    if (ddraw->CreateSurface(desc, slot) != platform::DD_OK) {
        ShowBmpError(BmpCreateSurfaceFailedText, name);
        return nullptr;
    }
    return *slot;
}

// The colour table: at most the entries a palette takes are read; the file position ends at
// the pixel data.
bool ReadColourTable(FILE* file, const BmpHeader& header, std::vector<uint8_t>& colours) {
    const size_t entries =
        std::min<size_t>((header.dataOffset - BmpHeadersSize) / 4, BmpPaletteEntries);
    colours.assign(entries * 4, 0);
    if (std::fread(colours.data(), 1, colours.size(), file) != colours.size()) {
        return false;
    }
    return std::fseek(file, static_cast<long>(header.dataOffset), SEEK_SET) == 0;
}

// Reads the padded rows and copies them into the surface so that the file's last row becomes
// the surface's first; a picture larger than the surface is cut to it.
bool ReadRows(FILE* file, const BmpHeader& header, platform::Surface* target) {
    const size_t rowLength = (static_cast<size_t>(header.width) + 3) & ~size_t{3};
    std::vector<uint8_t> rows(rowLength * static_cast<size_t>(header.height));
    if (std::fread(rows.data(), 1, rows.size(), file) != rows.size()) {
        return false;
    }
    platform::SurfaceDesc locked;
    if (target->Lock(nullptr, &locked, platform::DDLOCK_WAIT) != platform::DD_OK) {
        return false;
    }
    const int copyWidth = std::min<int>(header.width, static_cast<int>(target->Width()));
    const int copyHeight = std::min<int>(header.height, static_cast<int>(target->Height()));
    uint8_t* out = static_cast<uint8_t*>(locked.surface);
    for (int y = 0; y < copyHeight; ++y) {
        const uint8_t* row = rows.data() + rowLength * static_cast<size_t>(header.height - 1 - y);
        std::copy(row, row + copyWidth, out + static_cast<ptrdiff_t>(y) * locked.pitch);
    }
    target->Unlock();
    return true;
}

}  // namespace

int LoadBmpSurface(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface,
                   platform::Palette** palette) {
    const platform::BoxPlace place(name, platform::BoxPlace::Anew);
    BmpFile file;
    BmpHeader header{};
    if (!OpenBmp(name, file, header)) {
        return 0;
    }
    // Only 8-bit pictures are read: the palette and the textures are cut from palette indices.
    if (!CheckDepth(name, header) || !CheckBmp(name, file.get(), header)) {
        return 0;
    }
    platform::Surface* target = OverlaySurfaces[0];
    if (ddraw && surface) {
        target = CreateBmpSurface(name, ddraw, header, surface);
        if (!target) {
            return 0;
        }
    }
    if (!target) {
        ShowBmpError(BmpCreateSurfaceFailedText, name);
        return 0;
    }

    std::vector<uint8_t> colours;
    if (!ReadColourTable(file.get(), header, colours)) {
        return 0;
    }
    if (ddraw && palette) {
        platform::PaletteEntry entries[BmpPaletteEntries] = {};
        const size_t count = colours.size() / 4;
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
    return ReadRows(file.get(), header, target) ? 1 : 0;
}

int LoadBmpImage(const char* name, platform::DirectDraw* ddraw, platform::Surface** surface) {
    const platform::BoxPlace place(name, platform::BoxPlace::Anew);
    BmpFile file;
    BmpHeader header{};
    if (!OpenBmp(name, file, header)) {
        return 0;
    }
    OverlayImage& image = OverlayImages[CurrentOverlayImage];
    image.height = header.height;
    image.width = header.width;
    if (!CheckDepth(name, header) || !ddraw || !surface || !CheckBmp(name, file.get(), header)) {
        return 0;
    }
    platform::Surface* target = CreateBmpSurface(name, ddraw, header, surface);
    if (!target) {
        return 0;
    }
    if (std::fseek(file.get(), static_cast<long>(header.dataOffset), SEEK_SET) != 0) {
        return 0;
    }
    return ReadRows(file.get(), header, target) ? 1 : 0;
}
