#pragma once
// Writes uncompressed 8-bit BMP files: the content generators' pictures and the tests' own.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bmpwrite {

struct Colour {
    uint8_t red, green, blue;
};

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The file's bytes: the two headers, the colour table and the rows, bottom row first, each
// padded to a multiple of 4 bytes. pixels holds width * height indices, top row first.
inline std::vector<uint8_t> Encode(int width, int height, const std::vector<uint8_t>& pixels,
                                   const std::vector<Colour>& palette, int bitsPerPixel = 8) {
    const uint32_t rowLength = (static_cast<uint32_t>(width) + 3) & ~3u;
    const uint32_t offset = 54 + 4 * static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + rowLength * height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0);
    Put32(out, rowLength * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (const Colour& c : palette) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        for (uint32_t x = 0; x < rowLength; ++x) {
            out.push_back(x < static_cast<uint32_t>(width) ? pixels[y * width + x] : 0xEE);
        }
    }
    return out;
}

inline bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace bmpwrite
