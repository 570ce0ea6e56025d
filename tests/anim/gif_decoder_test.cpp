// The texture reader's GIF decoding, checked against pictures and decodings made by independent
// tools (tests/data/gif, see make_fixtures.sh there), and against damaged and hostile files.
#include "anim/gif_decoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

using testing::EndsWith;
using testing::HasSubstr;

const std::string GifDir = std::string(DUSK_TEST_DATA) + "/gif/";

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
    std::unique_ptr<PalettedImage> image;
    int exitStatus = -1;  // -1: the decoder returned; 1: it gave up on the file
    std::string stderrText;
};

class GifDecoderTest : public testing::Test {
protected:
    static Outcome Decode(const std::vector<uint8_t>& bytes, int imageNumber = 1) {
        FILE* file = std::tmpfile();
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
        Outcome out;
        std::string faultText;
        testing::internal::CaptureStderr();
        try {
            out.image = DecodeGifImage(file, imageNumber);
        } catch (const GifFault& fault) {
            out.exitStatus = 1;
            faultText = fault.what();
        }
        out.stderrText = testing::internal::GetCapturedStderr();
        // The fault carries the text the decoder printed last.
        if (out.exitStatus == 1) {
            EXPECT_THAT(out.stderrText, EndsWith(faultText + "\n"));
        }
        std::fclose(file);
        return out;
    }
};

// ---- Building small GIF files by hand -------------------------------------------------------

// Packs LZW codes, each with its own width, least significant bit first.
std::vector<uint8_t> PackCodes(const std::vector<std::pair<int, int>>& codesAndWidths) {
    std::vector<uint8_t> out;
    int bit = 0;
    for (auto [code, width] : codesAndWidths) {
        for (int j = 0; j < width; ++j, ++bit) {
            if (bit % 8 == 0) out.push_back(0);
            if (code & (1 << j)) out.back() |= 1 << (bit % 8);
        }
    }
    return out;
}

// With a minimum code size of 2, a clear code before every value keeps all codes 3 bits wide.
std::vector<uint8_t> ClearedValues(const std::vector<int>& values, bool endCode = true) {
    std::vector<std::pair<int, int>> codes;
    for (int v : values) {
        codes.push_back({4, 3});
        codes.push_back({v, 3});
    }
    if (endCode) codes.push_back({5, 3});
    return PackCodes(codes);
}

std::vector<uint8_t> Header(int width, int height, int globalEntries = 4) {
    std::vector<uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
    b.insert(b.end(), {uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8)});
    int bits = 0;
    while ((2 << bits) < globalEntries) ++bits;
    b.insert(b.end(), {uint8_t(globalEntries ? 0x80 | bits : 0), 0, 0});
    for (int i = 0; i < (globalEntries ? 2 << bits : 0); ++i) {
        b.insert(b.end(), {uint8_t(i * 60), uint8_t(i), uint8_t(255 - i)});
    }
    return b;
}

// An image block: descriptor, minimum code size and the code bytes cut into sub-blocks.
void AppendImage(std::vector<uint8_t>& b, int width, int height, const std::vector<uint8_t>& codes,
                 int minCodeSize = 2, uint8_t flags = 0, bool terminator = true) {
    b.insert(b.end(), {',', 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                       uint8_t(height >> 8), flags, uint8_t(minCodeSize)});
    for (size_t i = 0; i < codes.size(); i += 255) {
        size_t n = std::min<size_t>(255, codes.size() - i);
        b.push_back(uint8_t(n));
        b.insert(b.end(), codes.begin() + i, codes.begin() + i + n);
    }
    if (terminator) b.push_back(0);
}

// ---- Pictures made by other tools ------------------------------------------------------------

struct ColourTables {
    std::vector<std::array<int, 3>> global, local;
};

ColourTables ReadMap(const std::string& path) {
    ColourTables t;
    std::ifstream in(path);
    std::string section;
    int n;
    while (in >> section >> n) {
        auto& table = section == "local" ? t.local : t.global;
        table.resize(n);
        for (auto& rgb : table) in >> rgb[0] >> rgb[1] >> rgb[2];
    }
    return t;
}

// Pixels through the palette equal the other tool's RGB decoding, the palette is the global
// table overlaid by the first image's own, and row padding stays zero.
void ExpectMatchesReference(const PalettedImage& image, const std::string& name, int width,
                            int height) {
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    EXPECT_EQ(image.bytesPerLine, (width + 3) / 4 * 4);
    ASSERT_EQ(image.pixels.size(), size_t(image.bytesPerLine) * height);

    ColourTables tables = ReadMap(GifDir + name + ".map");
    const auto& top = tables.local.empty() ? tables.global : tables.local;
    EXPECT_EQ(image.paletteSize, int(top.size()));
    for (size_t i = 0; i < 256; ++i) {
        const platform::PaletteEntry& e = image.palette[i];
        if (i < top.size() || i < tables.global.size()) {
            const auto& rgb = i < tables.local.size() ? tables.local[i] : tables.global[i];
            EXPECT_EQ((std::array<int, 3>{e.red, e.green, e.blue}), rgb) << "palette entry " << i;
            EXPECT_EQ(e.flags, PaletteEntryReadOnly);
        } else {
            EXPECT_EQ(e.red | e.green | e.blue | e.flags, 0) << "palette entry " << i;
        }
    }

    std::vector<uint8_t> rgb = ReadBytes(GifDir + name + ".rgb");
    ASSERT_EQ(rgb.size(), size_t(width) * height * 3);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < image.bytesPerLine; ++x) {
            uint8_t index = image.At(x, y);
            if (x >= width) {
                mismatches += index != 0;
                continue;
            }
            const platform::PaletteEntry& e = image.palette[index];
            const uint8_t* want = &rgb[(size_t(y) * width + x) * 3];
            if (e.red != want[0] || e.green != want[1] || e.blue != want[2]) {
                if (++mismatches < 5) ADD_FAILURE() << name << " pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << name;
}

TEST_F(GifDecoderTest, DecodesPicturesAsTheOtherToolsDo) {
    struct Case {
        const char* name;
        int width, height;
    };
    const Case cases[] = {
        {"noise256_87a", 96, 96},       // GIF87a, 8-bit codes, table fills and is cleared
        {"noise128", 40, 40},           // 7-bit codes
        {"ramp16_interlaced", 20, 16},  // interlaced, 4-bit codes
        {"short_interlaced", 5, 3},     // interlaced, fewer rows than the later passes start at
        {"width30", 30, 7},             // two colours, rows padded to 32 bytes
        {"extensions89a", 8, 6},        // graphic control, comment and application blocks
        {"local_table", 6, 4},          // a local table of 16 over a global one of 256
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome out = Decode(ReadBytes(GifDir + c.name + ".gif"));
        ASSERT_EQ(out.exitStatus, -1) << out.stderrText;
        EXPECT_EQ(out.stderrText, "");
        ExpectMatchesReference(*out.image, c.name, c.width, c.height);
    }
}

TEST_F(GifDecoderTest, OtherImagesOfTheFileLeaveTheChosenOneAlone) {
    std::vector<uint8_t> file = ReadBytes(GifDir + "local_table.gif");
    // The second image's own table of 4 replaces only its first entries.
    Outcome second = Decode(file, 2);
    ASSERT_EQ(second.exitStatus, -1) << second.stderrText;
    EXPECT_EQ(second.image->paletteSize, 4);
    EXPECT_EQ(second.image->palette[0].red, 1);
    EXPECT_EQ(second.image->palette[3].blue, 12);
    EXPECT_EQ(second.image->palette[4].green, 255 - 4);
    EXPECT_EQ(second.image->At(0, 0), 0);
    EXPECT_EQ(second.image->At(5, 3), 0);
    EXPECT_EQ(second.image->At(1, 1), 2);

    Outcome third = Decode(file, 3);
    EXPECT_EQ(third.exitStatus, 1);
    EXPECT_EQ(third.stderrText, "only 2 images found in file\n");
    Outcome one = Decode(ReadBytes(GifDir + "width30.gif"), 2);
    EXPECT_EQ(one.stderrText, "only 1 image found in file\n");
}

TEST_F(GifDecoderTest, TextureOfAGameFileDropsPureGreen) {
    EXPECT_EQ(LoadGifTexture(GifDir + "no such file.gif"), nullptr);
    // Index 0 of this picture is pure green (and also its transparent index); index 1 is red.
    platform::RmTexture* texture = LoadGifTexture(GifDir + "EXTENSIONS89A.GIF");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 8);
    EXPECT_EQ(texture->Height(), 6);
    EXPECT_EQ(texture->Texels()[0] >> 24, 0u);
    EXPECT_EQ(texture->Texels()[3], 0xFFFF0000u);
    texture->Release();
}

// ---- Faults ----------------------------------------------------------------------------------

TEST_F(GifDecoderTest, DamagedFilesEndTheProgramWithTheirMessage) {
    auto withImage = [](std::vector<uint8_t> b, const std::vector<uint8_t>& codes, int size = 2) {
        AppendImage(b, 10, 10, codes, size);
        b.push_back(';');
        return b;
    };
    std::vector<uint8_t> head = Header(10, 10);
    auto concat = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string message;
    };
    const Case cases[] = {
        {"short magic", {'G', 'I', 'F', '8'}, "error reading magic number"},
        {"other format", {'P', 'N', 'G', '8', '9', 'a'}, "not a GIF file"},
        {"version",
         {'G', 'I', 'F', '8', '8', 'a', 10, 0, 10, 0, 0, 0, 0},
         "bad version number, not '87a' or '89a'"},
        {"screen", {'G', 'I', 'F', '8', '7', 'a', 10, 0}, "failed to read screen descriptor"},
        {"colour table",
         {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0x81, 0, 0, 1, 2, 3, 4},
         "bad colormap"},
        {"no image", concat(head, {';'}), "only 0 image found in file"},
        {"no trailer", concat(head, {'!', 0xFE, 1, 'x', 0}), "EOF / read error on image data"},
        {"extension label", concat(head, {'!'}), "OF / read error on extention function code"},
        {"image descriptor", concat(head, {',', 0, 0, 0, 0, 10}),
         "couldn't read left/top/width/height"},
        {"code size byte", concat(head, {',', 0, 0, 0, 0, 10, 0, 10, 0, 0}),
         "EOF / read error on image data"},
        {"code size 12", withImage(head, {1, 2, 3}, 12), "bad LZW minimum code size 12"},
        {"huge screen", Header(65535, 65535), "image too large: 65535 by 65535"},
        {"wide screen", ReadBytes(DUSK_FUZZ_CORPUS "/gif/timeout-wide-screen"),
         "image too large: 28168 by 1536"},
        // Entry 7 made from itself, then used.
        {"self-made entry", withImage(head, PackCodes({{4, 3}, {0, 3}, {7, 3}, {7, 3}, {7, 4}})),
         "circular table entry BIG ERROR"},
        // Entries 6 and 7 made from each other: the chain would never end.
        {"two-entry loop", withImage(head, PackCodes({{4, 3}, {7, 3}, {6, 3}, {0, 3}, {6, 4}})),
         "circular table entry BIG ERROR"},
        // The codes end exactly at the last sub-block, with pixels still to come.
        {"out of bits", withImage(head, PackCodes({{4, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 4}})),
         "ran off the end of my bits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Outcome out = Decode(c.bytes);
        EXPECT_EQ(out.exitStatus, 1);
        EXPECT_THAT(out.stderrText, EndsWith(c.message + "\n"));
    }
}

TEST_F(GifDecoderTest, LesserFaultsAreWarnedAboutAndReadingGoesOn) {
    std::vector<uint8_t> good = Header(2, 2);
    AppendImage(good, 2, 2, ClearedValues({1, 2, 3, 1}));
    good.push_back(';');
    Outcome ref = Decode(good);
    ASSERT_EQ(ref.exitStatus, -1);
    EXPECT_EQ(ref.image->At(0, 0), 1);
    EXPECT_EQ(ref.image->At(1, 1), 1);
    EXPECT_EQ(ref.image->At(0, 1), 3);

    // A stray byte between blocks.
    std::vector<uint8_t> stray = good;
    stray.insert(stray.end() - 1, 0x99);
    Outcome out = Decode(stray);
    EXPECT_EQ(out.exitStatus, -1);
    EXPECT_EQ(out.stderrText, "bogus character 0x99, ignoring\n");
    EXPECT_EQ(out.image->pixels, ref.image->pixels);

    // More values than pixels: the surplus, spread over several sub-blocks, is passed over
    // whole, so the next blocks still read as blocks.
    std::vector<int> many(400, 2);
    many[0] = 1;
    std::vector<uint8_t> surplus = Header(1, 1);
    AppendImage(surplus, 1, 1, ClearedValues(many));
    surplus.push_back(';');
    out = Decode(surplus);
    EXPECT_EQ(out.exitStatus, -1);
    EXPECT_EQ(out.stderrText, "too much input data, ignoring extra...\n");
    EXPECT_EQ(out.image->At(0, 0), 1);

    // An image larger than the screen is clipped to it.
    std::vector<uint8_t> large = Header(2, 2);
    AppendImage(large, 3, 3, ClearedValues({1, 2, 3, 3, 1, 2, 2, 3, 1}));
    large.push_back(';');
    out = Decode(large);
    EXPECT_EQ(out.exitStatus, -1);
    EXPECT_EQ(out.image->pixels, (std::vector<uint8_t>{1, 2, 0, 0, 3, 1, 0, 0}));

    // Data ending with part of a code left ends the image early; the file reads on.
    std::vector<uint8_t> early = Header(2, 2);
    std::vector<uint8_t> codes = PackCodes({{4, 3}, {3, 3}});  // 2 bits of padding
    AppendImage(early, 2, 2, codes);
    early.push_back(';');
    out = Decode(early);
    EXPECT_EQ(out.exitStatus, -1) << out.stderrText;
    EXPECT_EQ(out.image->At(0, 0), 3);
    EXPECT_EQ(out.image->At(1, 0), 0);
}

TEST_F(GifDecoderTest, TruncatedAndCorruptedFilesEndCleanly) {
    const char* names[] = {"extensions89a", "local_table", "ramp16_interlaced", "width30",
                           "noise128"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> file = ReadBytes(GifDir + name + ".gif");
        // Without its trailer a file never ends well.
        for (size_t n = 0; n < file.size(); n += 1 + n / 64) {
            Outcome out = Decode({file.begin(), file.begin() + n});
            ASSERT_EQ(out.exitStatus, 1) << "cut at " << n;
        }
        // Any corruption ends in a picture or in the exit, never in a stray read or write.
        std::mt19937 rng(17);
        for (int i = 0; i < 150; ++i) {
            std::vector<uint8_t> bad = file;
            int flips = 1 + rng() % 4;
            for (int k = 0; k < flips; ++k)
                bad[6 + rng() % (bad.size() - 6)] ^= uint8_t(1 + rng() % 255);
            Outcome out = Decode(bad);
            EXPECT_TRUE(out.exitStatus == -1 || out.exitStatus == 1);
        }
    }
}

}  // namespace
