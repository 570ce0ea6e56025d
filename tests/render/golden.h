#pragma once
// Golden frames: 8-bit pictures stored as indexed PNG files under tests/data/golden. A frame
// that differs from its stored picture is written, with a picture of the differing pixels, into
// <build>/golden-failures for a person to look at. With DUSK_UPDATE_GOLDEN=1 in the environment
// the stored pictures are rewritten from the frames instead.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace golden {

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // rows of width indices
};

// The palette the pictures are shown with: the test level's texture sheet's.
inline std::vector<SDL_Color> ViewPalette() {
    std::vector<SDL_Color> colours(256, SDL_Color{0, 0, 0, 255});
    if (SDL_Surface* sheet = SDL_LoadBMP(DUSK_GEN_DATA "/cubeworld.bmp")) {
        if (sheet->format->palette) {
            for (int i = 0; i < sheet->format->palette->ncolors && i < 256; ++i) {
                colours[i] = sheet->format->palette->colors[i];
            }
        }
        SDL_FreeSurface(sheet);
    }
    return colours;
}

inline bool Save(const std::filesystem::path& path, const Frame& frame,
                 const std::vector<SDL_Color>& palette) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, frame.width, frame.height, 8, SDL_PIXELFORMAT_INDEX8);
    if (!s) {
        return false;
    }
    SDL_SetPaletteColors(s->format->palette, palette.data(), 0, static_cast<int>(palette.size()));
    for (int y = 0; y < frame.height; ++y) {
        std::copy_n(frame.pixels.data() + y * frame.width, frame.width,
                    static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    }
    std::filesystem::create_directories(path.parent_path());
    const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

inline bool Load(const std::filesystem::path& path, Frame& frame) {
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) {
        return false;
    }
    const bool indexed = s->format->BitsPerPixel == 8;
    if (indexed) {
        frame.width = s->w;
        frame.height = s->h;
        frame.pixels.resize(static_cast<size_t>(s->w) * s->h);
        for (int y = 0; y < s->h; ++y) {
            std::copy_n(static_cast<const uint8_t*>(s->pixels) + y * s->pitch, s->w,
                        frame.pixels.data() + y * s->w);
        }
    }
    SDL_FreeSurface(s);
    return indexed;
}

// Compares the frame with the stored picture `name`; see the top of this file.
inline void ExpectMatches(const std::string& name, const Frame& actual) {
    const std::filesystem::path stored =
        std::filesystem::path(DUSK_TEST_DATA) / "golden" / (name + ".png");
    const std::vector<SDL_Color> palette = ViewPalette();
    const char* update = std::getenv("DUSK_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(Save(stored, actual, palette)) << "cannot write " << stored;
        return;
    }
    Frame expected;
    const bool loaded = Load(stored, expected);
    int differing = 0;
    Frame diff{actual.width, actual.height, std::vector<uint8_t>(actual.pixels.size(), 0)};
    if (loaded && expected.width == actual.width && expected.height == actual.height) {
        for (size_t i = 0; i < actual.pixels.size(); ++i) {
            if (actual.pixels[i] != expected.pixels[i]) {
                diff.pixels[i] = 1;
                ++differing;
            }
        }
        if (differing == 0) {
            return;
        }
    }
    const std::filesystem::path out =
        std::filesystem::path(DUSK_GEN_DATA).parent_path() / "golden-failures";
    Save(out / (name + "-actual.png"), actual, palette);
    std::vector<SDL_Color> marks(256, SDL_Color{0, 0, 0, 255});
    marks[1] = SDL_Color{255, 0, 0, 255};
    if (differing > 0) {
        Save(out / (name + "-diff.png"), diff, marks);
    }
    std::string fault = "no indexed picture at ";
    if (loaded) {
        fault = differing > 0 ? std::to_string(differing) + " pixels differ from "
                              : "another size than ";
    }
    ADD_FAILURE() << "frame " << name << ": " << fault << stored.string() << "; the frame is in "
                  << (out / (name + "-actual.png")).string();
}

}  // namespace golden
