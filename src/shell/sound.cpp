#include "shell/sound.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/files.h"
#include "platform/message_box.h"
#include "shell/messages.h"

platform::DirectSound* SoundDevice = nullptr;
std::array<platform::SoundBuffer*, SoundSlotCount> SoundSlots = {};
int CurrentSound = 0;
int SoundCount = 0;
int LastPlayedSound = 0;
std::array<std::string, SoundSlotCount> SoundFileNames;

namespace {

using platform::Failed;
using platform::HResult;
using platform::SoundBuffer;

void ErrorBox(const char* text) { platform::MessageBox(text, ErrorCaption, platform::MB_OK); }

bool ValidSlot(int slot) { return slot >= 0 && slot < SoundSlotCount; }

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The "fmt " record from a body of `size` bytes (at least 14); fields it lacks stay 0.
platform::WaveFormat ReadFormatRecord(const uint8_t* body, uint32_t size) {
    platform::WaveFormat f;
    f.formatTag = Le16(body);
    f.channels = Le16(body + 2);
    f.samplesPerSec = Le32(body + 4);
    f.avgBytesPerSec = Le32(body + 8);
    f.blockAlign = Le16(body + 12);
    if (size >= 16) f.bitsPerSample = Le16(body + 14);
    return f;
}

}  // namespace

int CreateSoundDevice(platform::Hwnd window) {
    if (SoundDevice) return 1;
    if (Failed(platform::DirectSoundCreate(&SoundDevice))) {
        SoundDevice = nullptr;
        return 0;
    }
    if (Failed(SoundDevice->SetCooperativeLevel(window, platform::DSSCL_NORMAL))) {
        ReleaseSoundDevice();
        return 0;
    }
    return 1;
}

void ReleaseSoundDevice() {
    if (SoundDevice) SoundDevice->Release();
    SoundDevice = nullptr;
}

int InitSound(platform::Hwnd window) {
    CreateSoundDevice(window);
    CurrentSound = SoundCount = LastPlayedSound = 0;
    if (!SoundDevice) return 1;  // a silent game

    platform::SoundBufferDesc desc;
    desc.flags = platform::DSBCAPS_PRIMARYBUFFER;
    SoundBuffer* primary = nullptr;
    if (Failed(SoundDevice->CreateSoundBuffer(desc, &primary))) {
        ErrorBox(SoundPrimaryCreateText);
        return 1;
    }
    if (Failed(primary->Play(platform::DSBPLAY_LOOPING))) ErrorBox(SoundPrimaryPlayText);
    primary->Release();
    return 1;
}

int LoadSound(const std::string& fileName) {
    if (!SoundDevice) return -1;
    if (SoundCount >= SoundSlotCount) {
        ErrorBox(SoundExceedText);
        return -1;
    }
    int slot = SoundCount;
    CurrentSound = slot;
    SoundCount = slot + 1;
    // The reader's boxes and the load's own name the file.
    platform::BoxPlace place(fileName, platform::BoxPlace::Anew);
    SoundSlots[slot] = CreateBufferFromWaveFile(SoundDevice, fileName);
    if (!SoundSlots[slot]) {
        // The slot stays taken, empty: the sounds loaded after it keep the numbers the script
        // gives them.
        SoundFileNames[slot].clear();
        ErrorBox(SoundLoadFailedText);
        return -1;
    }
    SoundFileNames[slot] = fileName;
    return slot;
}

int PlaySound(int slot, int loop) {
    if (!SoundDevice || !ValidSlot(slot) || !SoundSlots[slot]) return 0;
    SoundBuffer* buffer = SoundSlots[slot];
    LastPlayedSound = slot;
    uint32_t flags = loop ? platform::DSBPLAY_LOOPING : 0;
    HResult result = buffer->Play(flags);
    if (result == platform::DSERR_BUFFERLOST) {
        platform::MessageBox(SoundLostText, WarningCaption, platform::MB_OK);
        if (Failed(buffer->Restore())) return 0;
        if (!ReloadBufferFromWaveFile(buffer, SoundFileNames[slot])) return 0;
        platform::MessageBox(SoundRestoredText, MessageCaption, platform::MB_OK);
        result = buffer->Play(flags);
    }
    return Failed(result) ? 0 : 1;
}

int StopSound(int slot) {
    if (!SoundDevice || !ValidSlot(slot) || !SoundSlots[slot]) return 0;
    return Failed(SoundSlots[slot]->Stop()) ? 0 : 1;
}

void ReleaseSound(int slot) {
    if (!ValidSlot(slot) || !SoundSlots[slot]) return;
    SoundSlots[slot]->Release();
    SoundSlots[slot] = nullptr;
    SoundFileNames[slot].clear();
}

int FreeSounds(int first) {
    if (first < 0) first = 0;
    if (first > SoundCount) first = SoundCount;
    for (int slot = first; slot < SoundCount; ++slot) ReleaseSound(slot);
    SoundCount = CurrentSound = first;
    return 1;
}

platform::SoundBuffer* CreateBufferFromWaveFile(platform::DirectSound* device,
                                                const std::string& fileName) {
    if (!device) return nullptr;
    std::vector<uint8_t> image;
    platform::WaveFormat format;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!ReadWaveFile(fileName, image, &format, &data, &size)) return nullptr;

    platform::SoundBufferDesc desc;
    desc.flags = platform::DSBCAPS_STATIC | platform::DSBCAPS_CTRLFREQUENCY |
                 platform::DSBCAPS_CTRLPAN | platform::DSBCAPS_CTRLVOLUME;
    desc.bufferBytes = size;
    desc.format = &format;
    SoundBuffer* buffer = nullptr;
    if (Failed(device->CreateSoundBuffer(desc, &buffer))) return nullptr;
    if (!FillSoundBuffer(buffer, data, size)) {
        buffer->Release();
        return nullptr;
    }
    return buffer;  // the file image is freed here: the buffer holds its own copy
}

int ReloadBufferFromWaveFile(platform::SoundBuffer* buffer, const std::string& fileName) {
    std::vector<uint8_t> image;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!ReadWaveFile(fileName, image, nullptr, &data, &size)) return 0;
    if (Failed(buffer->Restore())) return 0;
    return FillSoundBuffer(buffer, data, size);
}

int ReadWaveFile(const std::string& fileName, std::vector<uint8_t>& image,
                 platform::WaveFormat* format, const uint8_t** data, uint32_t* size) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(platform::OpenFile(fileName, "rb"), std::fclose);
    long length = -1;
    if (file && std::fseek(file.get(), 0, SEEK_END) == 0) length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        ErrorBox(WaveOpenErrorText);
        return 0;
    }
    try {
        if (length > WaveMaxFileBytes) throw std::bad_alloc();
        image.assign(static_cast<size_t>(length), 0);
    } catch (const std::bad_alloc&) {
        ErrorBox(WaveMemoryErrorText);
        return 0;
    }
    if (!image.empty()) std::fread(image.data(), 1, image.size(), file.get());
    return ParseWaveData(image, format, data, size);
}

// A RIFF "WAVE" image: chunks from offset 12 on, each an id, a little-endian size and its body,
// padded to an even length. The first "fmt " (14 bytes or more) and "data" chunks are taken;
// others are skipped. Chunk sizes count only as far as the image goes.
int ParseWaveData(const std::vector<uint8_t>& image, platform::WaveFormat* format,
                  const uint8_t** data, uint32_t* size) {
    if (format) *format = platform::WaveFormat{};
    if (data) *data = nullptr;
    if (size) *size = 0;
    const uint8_t* bytes = image.data();
    const uint64_t length = image.size();
    if (length < WaveRiffHeaderSize || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return 0;
    }
    const uint64_t riffEnd = 8 + uint64_t{Le32(bytes + 4)};
    const bool wantFormat = format != nullptr;
    const bool wantData = data != nullptr || size != nullptr;
    bool haveFormat = false;
    bool haveData = false;

    for (uint64_t pos = WaveRiffHeaderSize; pos < riffEnd && pos + WaveChunkHeaderSize <= length;) {
        const uint8_t* id = bytes + pos;
        const uint32_t declared = Le32(bytes + pos + 4);
        const uint64_t body = pos + WaveChunkHeaderSize;
        const uint32_t present = static_cast<uint32_t>(std::min<uint64_t>(declared, length - body));
        if (std::memcmp(id, "fmt ", 4) == 0 && wantFormat && !haveFormat) {
            if (present < WaveMinFormatSize) return 0;
            *format = ReadFormatRecord(bytes + body, present);
            haveFormat = true;
            if (haveData || !wantData) return 1;
        } else if (std::memcmp(id, "data", 4) == 0 && wantData && !haveData) {
            if (data) *data = bytes + body;
            if (size) *size = present;
            haveData = true;
            if (haveFormat || !wantFormat) return 1;
        }
        pos = body + declared + (declared & 1);
    }
    return 0;
}

int FillSoundBuffer(platform::SoundBuffer* buffer, const uint8_t* data, uint32_t size) {
    if (!buffer || !data || size == 0) return 0;
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t bytes1 = 0;
    uint32_t bytes2 = 0;
    if (Failed(buffer->Lock(0, size, &part1, &bytes1, &part2, &bytes2))) return 0;
    std::memcpy(part1, data, bytes1);
    if (part2) std::memcpy(part2, data + bytes1, bytes2);
    buffer->Unlock(part1, bytes1, part2, bytes2);
    return 1;
}
