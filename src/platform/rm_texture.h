// Textures: images that faces are mapped with, nearest texel, repeating outside 0 .. 1.
// Made from 8-bit palettised images or loaded from ".ppm" files. With decal transparency on,
// texels of the transparent colour are not drawn at all.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/palette.h"
#include "platform/rm_math.h"
#include "platform/rm_shade_table.h"
#include "platform/rm_types.h"
#include "platform/types.h"

namespace platform {

// An image in memory: only 8-bit palettised images (depth 8, rgb 0) are made into textures.
struct RmImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t aspectX = 1;
    int32_t aspectY = 1;
    int32_t depth = 8;
    int32_t rgb = 0;           // 0: palettised
    int32_t bytesPerLine = 0;  // row pitch of buffer1
    uint8_t* buffer1 = nullptr;
    uint8_t* buffer2 = nullptr;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;
    int32_t paletteSize = 0;
    PaletteEntry* palette = nullptr;
};

class RmTexture : public RefCounted {
public:
    // The texels are copied; an image with an index beyond its palette draws that texel black.
    // D3DRMERR_BADVALUE for an image that is not 8-bit palettised or has no pixels.
    static HResult CreateFromImage(const RmImage& image, RmTexture** out);
    // A PNM picture (".ppm") by game file name: D3DRMERR_FILENOTFOUND when it cannot be opened,
    // DDERR_TOOBIGSIZE when its header declares more than MaxPicturePixels (nothing is read
    // then), D3DRMERR_BADFILE when it cannot be decoded.
    static HResult Load(const std::string& fileName, RmTexture** out);

    HResult SetDecalTransparency(bool on);
    HResult SetDecalTransparentColor(RmColor color);

    // Data kept alive for the texture's life (the image it was made from, for instance).
    HResult SetAppData(std::shared_ptr<void> data);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Texels as 0xAARRGGBB, rows top first; alpha 0 marks a texel that is not drawn.
    const uint32_t* Texels() const { return texels_.data(); }
    // Each texel's number among the texture's distinct texels; none when it has more than
    // ShadeColours of them.
    const uint8_t* ShadeIndices() const {
        return shadeIndices_.empty() ? nullptr : shadeIndices_.data();
    }
    // The number among them of the texels that are not drawn; ShadeColours when every texel is.
    int32_t HiddenShade() const { return hiddenShade_; }
    // The shade table of the distinct texels for this palette map; null as above.
    RmShadeTable* Shades(const RmPaletteMap& map) const;

private:
    RmTexture(int width, int height, std::vector<uint32_t> rgb);
    void UpdateTransparency();
    void IndexColours();

    int width_;
    int height_;
    std::vector<uint32_t> rgb_;  // 0x00RRGGBB
    std::vector<uint32_t> texels_;
    std::vector<uint8_t> shadeIndices_;
    std::vector<uint32_t> shadeColours_;  // the distinct texels
    int32_t hiddenShade_ = ShadeColours;
    mutable RmShadeTable shades_;
    bool decal_ = false;
    RmColor transparent_ = 0xFF000000u;
    std::shared_ptr<void> appData_;
};

}  // namespace platform
