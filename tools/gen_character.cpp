// Writes the textures of the demo's robot into <build>/demo: "robot_body.ppm", the panel of its
// body, and "robot_face.gif", its face. Pure green is the colour a GIF texture leaves undrawn, so
// no texel of the face has it: the mouth is dark red and the face stays solid.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

struct Rgb {
    uint8_t r, g, b;
};

// The body panel: blue-grey plates with a yellow band and rivets at the corners.
Rgb BodyTexel(int x, int y) {
    if (y >= 12 && y < 16) return {230, 190, 40};
    const bool rivet = (x % 16 == 3 || x % 16 == 12) && (y % 16 == 3 || y % 16 == 12);
    if (rivet) return {200, 205, 215};
    if (x % 16 == 0 || y % 16 == 0) return {40, 48, 64};
    const int shade = 90 + ((x + y) % 16) * 3;
    return {uint8_t(shade - 20), uint8_t(shade - 10), uint8_t(shade + 20)};
}

// The face's palette entries.
enum FaceColour : uint8_t { Skin, EyeWhite, Pupil, Mouth, Brow, FaceColours };
const Rgb kFacePalette[16] = {
    {170, 175, 190}, {250, 250, 250}, {20, 20, 30}, {110, 30, 40}, {60, 60, 80}};

uint8_t FaceTexel(int x, int y) {
    for (int eye : {9, 22}) {
        const int dx = x - eye, dy = y - 11;
        if (dx * dx + dy * dy <= 4) return Pupil;
        if (dx * dx + dy * dy <= 16) return EyeWhite;
        if (dy == -6 && dx >= -4 && dx <= 4) return Brow;
    }
    if (y >= 21 && y <= 24 && x >= 8 && x <= 23) return Mouth;
    return Skin;
}

bool WritePpm(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Rgb c = BodyTexel(x, y);
            const uint8_t bytes[3] = {c.r, c.g, c.b};
            std::fwrite(bytes, 1, 3, f);
        }
    }
    return std::fclose(f) == 0;
}

// GIF pictures with a 16-colour table, coded with 5-bit codes only: a clear code before every
// run of twelve pixels keeps the decoder's table from growing past the 5-bit codes.
class GifCodes {
public:
    void Put(int code) {
        bits_ |= static_cast<uint32_t>(code) << count_;
        count_ += kCodeBits;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::vector<uint8_t> Finish() {
        if (count_ > 0) bytes_.push_back(static_cast<uint8_t>(bits_));
        return bytes_;
    }

    static constexpr int kMinCodeSize = 4;
    static constexpr int kCodeBits = kMinCodeSize + 1;
    static constexpr int kClear = 1 << kMinCodeSize;
    static constexpr int kEnd = kClear + 1;
    static constexpr int kRun = 12;

private:
    std::vector<uint8_t> bytes_;
    uint32_t bits_ = 0;
    int count_ = 0;
};

bool WriteGif(const std::string& path) {
    std::vector<uint8_t> out = {
        'G', 'I', 'F', '8', '9', 'a', kSize, 0, kSize, 0, 0x80 | (GifCodes::kMinCodeSize - 1),
        0,   0};
    for (const Rgb& c : kFacePalette) out.insert(out.end(), {c.r, c.g, c.b});
    out.insert(out.end(), {',', 0, 0, 0, 0, kSize, 0, kSize, 0, 0, GifCodes::kMinCodeSize});
    GifCodes codes;
    int run = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (run++ % GifCodes::kRun == 0) codes.Put(GifCodes::kClear);
            codes.Put(FaceTexel(x, y));
        }
    }
    codes.Put(GifCodes::kEnd);
    const std::vector<uint8_t> data = codes.Finish();
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = std::min<size_t>(255, data.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + at, data.begin() + at + n);
    }
    out.push_back(0);
    out.push_back(';');
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_character <build folder>\n");
        return 2;
    }
    const std::string demo = std::string(argv[1]) + "/demo/";
    if (!WritePpm(demo + "robot_body.ppm") || !WriteGif(demo + "robot_face.gif")) {
        std::fprintf(stderr, "gen_character: cannot write into %s\n", demo.c_str());
        return 1;
    }
    return 0;
}
