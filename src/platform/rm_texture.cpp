#include "platform/rm_texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/files.h"
#include "platform/limits.h"

namespace platform {

RmTexture::RmTexture(int width, int height, std::vector<uint32_t> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {
    UpdateTransparency();
}

HResult RmTexture::CreateFromImage(const RmImage& image, RmTexture** out) {
    *out = nullptr;
    if (image.depth != 8 || image.rgb != 0 || image.width <= 0 || image.height <= 0 ||
        image.bytesPerLine < image.width || !image.buffer1) {
        return D3DRMERR_BADVALUE;
    }
    std::vector<uint32_t> rgb(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = image.buffer1 + static_cast<size_t>(y) * image.bytesPerLine;
        for (int x = 0; x < image.width; ++x) {
            uint32_t c = 0;
            if (image.palette && row[x] < image.paletteSize) {
                const PaletteEntry& e = image.palette[row[x]];
                c = (uint32_t(e.red) << 16) | (uint32_t(e.green) << 8) | e.blue;
            }
            rgb[static_cast<size_t>(y) * image.width + x] = c;
        }
    }
    *out = new RmTexture(image.width, image.height, std::move(rgb));
    return D3DRM_OK;
}

namespace {

// Passes blanks and '#' comments, then reads a decimal number (held at a value past any limit).
bool ReadPnmNumber(FILE* file, uint64_t& value) {
    int c = std::fgetc(file);
    for (;;) {
        if (c == '#') {
            while (c != '\n' && c != EOF) c = std::fgetc(file);
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            c = std::fgetc(file);
        } else {
            break;
        }
    }
    if (c < '0' || c > '9') return false;
    value = 0;
    for (; c >= '0' && c <= '9'; c = std::fgetc(file)) {
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), uint64_t{1} << 31);
    }
    return true;
}

// The width and height a PNM header ("P1" to "P6") declares; false when it is no PNM header.
bool ReadPnmSize(FILE* file, uint64_t& width, uint64_t& height) {
    const int p = std::fgetc(file);
    const int kind = std::fgetc(file);
    return p == 'P' && kind >= '1' && kind <= '6' && ReadPnmNumber(file, width) &&
           ReadPnmNumber(file, height);
}

}  // namespace

HResult RmTexture::Load(const std::string& fileName, RmTexture** out) {
    *out = nullptr;
    FILE* file = OpenFile(fileName, "rb");
    if (!file) return D3DRMERR_FILENOTFOUND;
    // The size the header declares is checked before the picture is read.
    uint64_t width = 0, height = 0;
    const bool pnm = ReadPnmSize(file, width, height);
    SDL_RWops* source = nullptr;
    if (!pnm || width == 0 || height == 0 || width * height > MaxPicturePixels ||
        std::fseek(file, 0, SEEK_SET) != 0 || !(source = SDL_RWFromFP(file, SDL_TRUE))) {
        std::fclose(file);
        return pnm && width * height > MaxPicturePixels ? DDERR_TOOBIGSIZE : D3DRMERR_BADFILE;
    }
    SDL_Surface* loaded = IMG_LoadPNM_RW(source);
    SDL_RWclose(source);
    if (!loaded) return D3DRMERR_BADFILE;
    SDL_Surface* rgbSurface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!rgbSurface) return D3DRMERR_BADFILE;
    std::vector<uint32_t> rgb(static_cast<size_t>(rgbSurface->w) * rgbSurface->h);
    SDL_LockSurface(rgbSurface);
    for (int y = 0; y < rgbSurface->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(rgbSurface->pixels) +
                                              static_cast<size_t>(y) * rgbSurface->pitch);
        for (int x = 0; x < rgbSurface->w; ++x)
            rgb[static_cast<size_t>(y) * rgbSurface->w + x] = row[x] & 0xFFFFFFu;
    }
    SDL_UnlockSurface(rgbSurface);
    int w = rgbSurface->w, h = rgbSurface->h;
    SDL_FreeSurface(rgbSurface);
    if (w <= 0 || h <= 0) return D3DRMERR_BADFILE;
    *out = new RmTexture(w, h, std::move(rgb));
    return D3DRM_OK;
}

HResult RmTexture::SetDecalTransparency(bool on) {
    decal_ = on;
    UpdateTransparency();
    return D3DRM_OK;
}

HResult RmTexture::SetDecalTransparentColor(RmColor color) {
    transparent_ = color;
    UpdateTransparency();
    return D3DRM_OK;
}

HResult RmTexture::SetAppData(std::shared_ptr<void> data) {
    appData_ = std::move(data);
    return D3DRM_OK;
}

void RmTexture::UpdateTransparency() {
    texels_.resize(rgb_.size());
    uint32_t key = transparent_ & 0xFFFFFFu;
    for (size_t i = 0; i < rgb_.size(); ++i) {
        bool hidden = decal_ && rgb_[i] == key;
        texels_[i] = hidden ? rgb_[i] : (rgb_[i] | 0xFF000000u);
    }
    IndexColours();
}

void RmTexture::IndexColours() {
    shades_ = RmShadeTable{};
    shadeColours_.clear();
    hiddenShade_ = ShadeColours;
    shadeIndices_.resize(texels_.size());
    std::unordered_map<uint32_t, uint8_t> numbers;
    for (size_t i = 0; i < texels_.size(); ++i) {
        auto [at, added] =
            numbers.try_emplace(texels_[i], static_cast<uint8_t>(shadeColours_.size()));
        if (added) {
            if (shadeColours_.size() == static_cast<size_t>(ShadeColours)) {
                shadeColours_.clear();
                shadeIndices_.clear();
                hiddenShade_ = ShadeColours;
                return;
            }
            // Texels not drawn all have the transparent colour, so they share one number.
            if ((texels_[i] >> 24) == 0) hiddenShade_ = static_cast<int32_t>(shadeColours_.size());
            shadeColours_.push_back(texels_[i]);
        }
        shadeIndices_[i] = at->second;
    }
}

RmShadeTable* RmTexture::Shades(const RmPaletteMap& map) const {
    if (shadeIndices_.empty()) return nullptr;
    if (!shades_.MadeFor(map)) shades_.Reset(shadeColours_, map);
    return &shades_;
}

}  // namespace platform
