#include "anim/gif_decoder.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "anim/messages.h"
#include "base/fault_end.h"
#include "base/report_error.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "platform/rm_math.h"

namespace {

// Formats the message into `text` and writes it as a line on the standard error.
void WriteGifLine(char (&text)[GifMessageSize], const char* format, va_list args) {
    std::vsnprintf(text, sizeof text, format, args);
    platform::WriteStandardError(std::string(text) + "\n");
}

}  // namespace

void ReportGifError(const char* format, ...) {
    char text[GifMessageSize];
    va_list args;
    va_start(args, format);
    WriteGifLine(text, format, args);
    va_end(args);
    throw GifFault(text);
}

void ReportGifWarning(const char* format, ...) {
    char text[GifMessageSize];
    va_list args;
    va_start(args, format);
    WriteGifLine(text, format, args);
    va_end(args);
}

namespace {

constexpr uint8_t Trailer = ';';
constexpr uint8_t ExtensionIntroducer = '!';
constexpr uint8_t ImageSeparator = ',';
constexpr uint8_t GraphicControlLabel = 0xF9;

constexpr uint8_t ColourTableFlag = 0x80;
constexpr uint8_t InterlacedFlag = 0x40;
constexpr uint8_t TableSizeMask = 0x07;

// Interlaced images are stored in four passes: rows 0, 8, 16...; 4, 12...; 2, 6...; 1, 3...
constexpr int PassStart[4] = {0, 4, 2, 1};
constexpr int PassStep[4] = {8, 8, 4, 2};

constexpr int MaxBlockBytes = 255;
constexpr int CarriedBytes = 2;  // unread bytes kept from one data sub-block to the next
// A prefix chain of a well-formed table is never longer than the table; twice that means a loop.
constexpr int LzwStackSize = 2 * GifCodeTableSize;

int Word(const uint8_t* p) { return p[0] | (p[1] << 8); }

// Reads one GIF file: its blocks, data sub-blocks, the LZW code stream and the pixels.
class GifReader {
public:
    explicit GifReader(FILE* file) : file_(file) {}

    std::unique_ptr<PalettedImage> Decode(int imageNumber);

private:
    bool Read(void* out, size_t count) { return std::fread(out, 1, count, file_) == count; }

    int ReadDataBlock(uint8_t* out);
    void SkipDataBlocks();
    void ReadColourTable(int entries, PalettedImage* image);
    void ReadExtension(int label);
    void DecodePixels(PalettedImage& image, int width, int height, bool interlaced, bool skip);

    void ResetTable();
    void StartCodes(int minCodeSize);
    int NextCode();
    int FirstCodeAfterClear();
    int EndOfData();
    int NextValue();

    FILE* file_;
    bool lastBlockWasTerminator_ = false;

    // Bit reader over the image's data sub-blocks, least significant bit first.
    uint8_t bits_[CarriedBytes + MaxBlockBytes] = {};
    int curBit_ = 0;
    int lastByte_ = 0;
    bool bitsDone_ = false;

    // LZW decoder.
    int codeSize_ = 0;
    int minCodeSize_ = 0;
    int clearCode_ = 0;
    int endCode_ = 0;
    int nextFree_ = 0;
    int growAt_ = 0;
    int firstCode_ = 0;
    int oldCode_ = 0;
    bool fresh_ = true;
    bool ended_ = false;
    int prefix_[GifCodeTableSize] = {};
    int suffix_[GifCodeTableSize] = {};
    int stack_[LzwStackSize] = {};
    int sp_ = 0;
};

// One data sub-block: its length (0 for the terminator), or -1 when the file ends inside it.
int GifReader::ReadDataBlock(uint8_t* out) {
    uint8_t count = 0;
    if (!Read(&count, 1)) {
        ReportGifWarning("%s", GifWarningBlockSize);
        return -1;
    }
    lastBlockWasTerminator_ = count == 0;
    if (count != 0 && !Read(out, count)) {
        ReportGifWarning("%s", GifWarningBlockData);
        return -1;
    }
    return count;
}

void GifReader::SkipDataBlocks() {
    uint8_t block[MaxBlockBytes];
    while (ReadDataBlock(block) > 0) {
    }
}

// Reads a colour table; copies it into the image's palette when an image is given.
void GifReader::ReadColourTable(int entries, PalettedImage* image) {
    uint8_t rgb[3 * GifPaletteEntries];
    if (!Read(rgb, static_cast<size_t>(entries) * 3)) ReportGifError("%s", GifErrorColourMap);
    if (!image) return;
    for (int i = 0; i < entries; ++i) {
        image->palette[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], PaletteEntryReadOnly};
    }
    image->paletteSize = entries;
}

// Extensions carry nothing the game uses: a graphic control block's values (disposal, delay,
// transparent index) are read and dropped, every other extension is skipped.
void GifReader::ReadExtension(int label) {
    if (label == GraphicControlLabel) {
        uint8_t block[MaxBlockBytes];
        if (ReadDataBlock(block) <= 0) return;
    }
    SkipDataBlocks();
}

// Empties the string table: only the single values remain, and codes are minCodeSize + 1 bits.
void GifReader::ResetTable() {
    for (int i = 0; i < GifCodeTableSize; ++i) {
        prefix_[i] = 0;
        suffix_[i] = i < clearCode_ ? i : 0;
    }
    codeSize_ = minCodeSize_ + 1;
    growAt_ = 2 * clearCode_;
    nextFree_ = clearCode_ + 2;
    sp_ = 0;
}

void GifReader::StartCodes(int minCodeSize) {
    minCodeSize_ = minCodeSize;
    clearCode_ = 1 << minCodeSize;
    endCode_ = clearCode_ + 1;
    ResetTable();
    curBit_ = 0;
    lastByte_ = 0;
    bitsDone_ = false;
    lastBlockWasTerminator_ = false;
    fresh_ = true;
    ended_ = false;
}

// The next code of codeSize_ bits; -1 when the data ends with part of a code left.
int GifReader::NextCode() {
    while (curBit_ + codeSize_ > lastByte_ * 8) {
        if (bitsDone_) {
            if (curBit_ >= lastByte_ * 8) ReportGifError("%s", GifErrorOutOfBits);
            return -1;
        }
        // Keep the bytes still holding unread bits, then append the next sub-block.
        int keep = curBit_ / 8;
        std::memmove(bits_, bits_ + keep, lastByte_ - keep);
        lastByte_ -= keep;
        curBit_ -= keep * 8;
        int count = ReadDataBlock(bits_ + lastByte_);
        if (count <= 0) {
            bitsDone_ = true;
        } else {
            lastByte_ += count;
        }
    }
    int code = 0;
    for (int j = 0; j < codeSize_; ++j, ++curBit_) {
        if (bits_[curBit_ / 8] & (1 << (curBit_ % 8))) code |= 1 << j;
    }
    return code;
}

// After the start or a clear code: clear codes are passed over and the first code is a value.
int GifReader::FirstCodeAfterClear() {
    int code;
    do {
        code = NextCode();
    } while (code == clearCode_);
    if (code < 0 || code == endCode_) return EndOfData();
    firstCode_ = oldCode_ = code;
    return code;
}

// The end code (or the end of the data): the rest of the image's sub-blocks is read.
int GifReader::EndOfData() {
    if (!ended_ && !lastBlockWasTerminator_ && !bitsDone_) {
        uint8_t block[MaxBlockBytes];
        int count;
        while ((count = ReadDataBlock(block)) > 0) {
        }
        if (count != 0) ReportGifWarning("%s", GifWarningMissingEod);
    }
    ended_ = true;
    return -1;
}

// The next decoded value (a palette index), or -1 once the image's data has ended.
int GifReader::NextValue() {
    if (ended_) return -1;
    if (fresh_) {
        fresh_ = false;
        return FirstCodeAfterClear();
    }
    if (sp_ > 0) return stack_[--sp_];

    int code = NextCode();
    if (code < 0) return EndOfData();
    if (code == clearCode_) {
        ResetTable();
        return FirstCodeAfterClear();
    }
    if (code == endCode_) return EndOfData();

    // A code not yet in the table stands for the previous string plus its own first value.
    int inCode = code;
    if (code >= nextFree_) {
        stack_[sp_++] = firstCode_;
        code = oldCode_;
    }
    while (code >= clearCode_) {
        if (sp_ >= LzwStackSize - 1 || code == prefix_[code]) {
            ReportGifError("%s", GifErrorCircular);
        }
        stack_[sp_++] = suffix_[code];
        code = prefix_[code];
    }
    firstCode_ = suffix_[code];
    stack_[sp_++] = firstCode_;

    if (nextFree_ < GifCodeTableSize) {
        prefix_[nextFree_] = oldCode_;
        suffix_[nextFree_] = firstCode_;
        ++nextFree_;
        if (nextFree_ >= growAt_ && growAt_ < GifCodeTableSize) {
            growAt_ *= 2;
            ++codeSize_;
        }
    }
    oldCode_ = inCode;
    return stack_[--sp_];
}

void GifReader::DecodePixels(PalettedImage& image, int width, int height, bool interlaced,
                             bool skip) {
    uint8_t minCodeSize = 0;
    if (!Read(&minCodeSize, 1)) ReportGifError("%s", GifErrorImageData);
    if (minCodeSize > GifMaxMinCodeSize) ReportGifError(GifErrorCodeSize, minCodeSize);
    StartCodes(minCodeSize);

    if (!skip && width > 0 && height > 0) {
        int x = 0;
        int y = 0;
        int pass = 0;
        int value;
        while ((value = NextValue()) >= 0) {
            // Pixels outside the logical screen have no place in the image and are dropped.
            if (x < image.width && y < image.height) {
                image.pixels[static_cast<size_t>(y) * image.bytesPerLine + x] =
                    static_cast<uint8_t>(value);
            }
            if (++x < width) continue;
            x = 0;
            if (!interlaced) {
                ++y;
            } else {
                y += PassStep[pass];
                // A pass that starts below the last row has no rows: go on to the next one.
                while (y >= height && ++pass < 4) y = PassStart[pass];
            }
            if (y >= height) break;
        }
        if (NextValue() >= 0) ReportGifWarning("%s", GifWarningTooMuch);
    }
    while (NextValue() >= 0) {
    }
}

std::unique_ptr<PalettedImage> GifReader::Decode(int imageNumber) {
    uint8_t magic[6];
    if (!Read(magic, sizeof magic)) ReportGifError("%s", GifErrorMagic);
    if (std::memcmp(magic, "GIF", 3) != 0) ReportGifError("%s", GifErrorNotGif);
    if (std::memcmp(magic + 3, "87a", 3) != 0 && std::memcmp(magic + 3, "89a", 3) != 0) {
        ReportGifError("%s", GifErrorVersion);
    }

    uint8_t screen[7];
    if (!Read(screen, sizeof screen)) ReportGifError("%s", GifErrorScreen);
    auto image = std::make_unique<PalettedImage>();
    image->width = Word(screen);
    image->height = Word(screen + 2);
    image->bytesPerLine = (image->width + 3) & ~3;
    size_t bytes = static_cast<size_t>(image->bytesPerLine) * image->height;
    if (bytes > GifMaxImageBytes) ReportGifError(GifErrorTooLarge, image->width, image->height);
    image->pixels.assign(bytes, 0);
    if (screen[4] & ColourTableFlag) ReadColourTable(2 << (screen[4] & TableSizeMask), image.get());

    int imageCount = 0;
    for (;;) {
        uint8_t c = 0;
        if (!Read(&c, 1)) ReportGifError("%s", GifErrorImageData);
        if (c == Trailer) break;
        if (c == ExtensionIntroducer) {
            uint8_t label = 0;
            if (!Read(&label, 1)) ReportGifError("%s", GifErrorExtensionCode);
            ReadExtension(label);
            continue;
        }
        if (c != ImageSeparator) {
            ReportGifWarning(GifWarningBogus, c);
            continue;
        }

        ++imageCount;
        uint8_t descriptor[9];
        if (!Read(descriptor, sizeof descriptor)) ReportGifError("%s", GifErrorImageDescriptor);
        bool wanted = imageCount == imageNumber;
        uint8_t flags = descriptor[8];
        // Only the wanted image's own colour table goes into the palette.
        if (flags & ColourTableFlag) {
            ReadColourTable(1 << ((flags & TableSizeMask) + 1), wanted ? image.get() : nullptr);
        }
        DecodePixels(*image, Word(descriptor + 4), Word(descriptor + 6),
                     (flags & InterlacedFlag) != 0, !wanted);
    }
    if (imageCount < imageNumber) {
        ReportGifError(GifErrorImageCount, imageCount, imageCount >= 2 ? "s" : "");
    }
    return image;
}

}  // namespace

std::unique_ptr<PalettedImage> DecodeGifImage(FILE* file, int imageNumber) {
    // The reader's tables are large; keep them off the stack.
    auto reader = std::make_unique<GifReader>(file);
    return reader->Decode(imageNumber);
}

platform::RmTexture* DecodeGifFile(FILE* file, int imageNumber) {
    std::shared_ptr<PalettedImage> image = DecodeGifImage(file, imageNumber);
    platform::RmImage header;
    header.width = image->width;
    header.height = image->height;
    header.bytesPerLine = image->bytesPerLine;
    header.buffer1 = image->pixels.data();
    header.paletteSize = image->paletteSize;
    header.palette = image->palette.data();
    platform::RmTexture* texture = nullptr;
    if (platform::Failed(platform::RmTexture::CreateFromImage(header, &texture))) return nullptr;
    texture->SetAppData(image);
    return texture;
}

platform::RmTexture* LoadGifTexture(const std::string& fileName) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(platform::OpenFile(fileName, "rb"), std::fclose);
    if (!file) return nullptr;
    // A fault's box names the file under the decoder's text.
    platform::BoxPlace place(fileName, platform::BoxPlace::Anew);
    platform::RmTexture* texture = nullptr;
    try {
        texture = DecodeGifFile(file.get(), 1);
    } catch (const GifFault& fault) {
        EndGameAfterFault(fault.what());
        return nullptr;
    }
    if (texture) {
        texture->SetDecalTransparency(true);
        texture->SetDecalTransparentColor(platform::RmCreateColorRGB(0.0f, 1.0f, 0.0f));
    }
    return texture;
}
