// Sound output: one device object and static sound buffers, each holding a whole PCM sound in
// its file's own format and played on a mixer channel of its own (24 channels) over SDL_mixer.
// A buffer's PCM is converted to the device's format when it is unlocked.
//
// Fault injection names (platform/faults.h): "DirectSoundCreate",
// "DirectSound.SetCooperativeLevel", "CreateSoundBuffer", "SoundBuffer.Lock", "Play", "Stop",
// "Restore".
#pragma once
#include <cstdint>

#include <vector>

#include "platform/limits.h"
#include "platform/result_codes.h"
#include "platform/types.h"

struct Mix_Chunk;

namespace platform {

// Codes of the sound facility: 0x88780000 | code.
constexpr HResult MakeSoundResult(uint32_t code) {
    return static_cast<HResult>(0x88780000u | code);
}
constexpr HResult DS_OK = 0;
constexpr HResult DSERR_GENERIC = static_cast<HResult>(0x80004005u);
constexpr HResult DSERR_INVALIDPARAM = static_cast<HResult>(0x80070057u);
constexpr HResult DSERR_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
constexpr HResult DSERR_ALLOCATED = MakeSoundResult(10);
constexpr HResult DSERR_BADFORMAT = MakeSoundResult(100);
constexpr HResult DSERR_NODRIVER = MakeSoundResult(120);
constexpr HResult DSERR_BUFFERLOST = MakeSoundResult(150);

constexpr uint32_t DSSCL_NORMAL = 1;

constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x01;
constexpr uint32_t DSBCAPS_STATIC = 0x02;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;

constexpr uint32_t DSBPLAY_LOOPING = 0x1;
constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// The format record of a WAVE file's "fmt " chunk. A record of 14 bytes has no bits per
// sample (0 here); they follow from the block size then.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

struct SoundBufferDesc {
    uint32_t flags = 0;                  // DSBCAPS_*
    uint32_t bufferBytes = 0;            // 0 for the primary buffer
    const WaveFormat* format = nullptr;  // null for the primary buffer
};

struct SoundBufferCaps {
    uint32_t flags = 0;
    uint32_t bufferBytes = 0;
};

class DirectSound;

// A static buffer of PCM in its own format (8- or 16-bit, mono or stereo), or the primary
// buffer, which stands for the device's output and only answers Play and GetFormat.
class SoundBuffer : public RefCounted {
public:
    HResult GetCaps(SoundBufferCaps* caps) const;
    HResult GetFormat(WaveFormat* format) const;
    // The bytes from `offset` on; what runs past the end wraps to the start (`part2`).
    HResult Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                 uint32_t* bytes2);
    // Ends a Lock; the buffer's new contents are converted for the device.
    HResult Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
    // Plays from the beginning, once or (DSBPLAY_LOOPING) until stopped; a buffer that is
    // playing starts again.
    HResult Play(uint32_t flags);
    HResult Stop();
    // Gives a lost buffer its memory back; its contents must be written again. (A buffer here
    // keeps its memory; only an injected fault reports one lost.)
    HResult Restore();
    HResult GetStatus(uint32_t* status) const;

private:
    friend class DirectSound;
    SoundBuffer(DirectSound* device, uint32_t flags, const WaveFormat& format, uint32_t bytes,
                int channel);
    ~SoundBuffer() override;
    void Convert();

    DirectSound* device_;
    uint32_t flags_;
    WaveFormat format_;
    int bitsPerSample_;            // from the format, or from its block size
    std::vector<uint8_t> pcm_;     // the sound in its own format
    std::vector<uint8_t> output_;  // the sound in the device's format
    Mix_Chunk* chunk_ = nullptr;
    int channel_;  // -1: the primary buffer
    bool looping_ = false;
};

class DirectSound : public RefCounted {
public:
    HResult SetCooperativeLevel(Hwnd window, uint32_t level);
    HResult CreateSoundBuffer(const SoundBufferDesc& desc, SoundBuffer** buffer);

private:
    friend HResult DirectSoundCreate(DirectSound** device);
    friend class SoundBuffer;
    DirectSound() = default;
    ~DirectSound() override;

    SoundBuffer* channels_[MixerChannels] = {};
};

// Opens the default output device (one at a time); DSERR_NODRIVER when there is none.
HResult DirectSoundCreate(DirectSound** device);

}  // namespace platform
