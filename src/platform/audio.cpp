#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

#include "platform/faults.h"

namespace platform {
namespace {

bool gDeviceOpen = false;

// Bits per sample of a format, from its block size when the record has none; 0 when unusable.
int BitsOf(const WaveFormat& f) {
    if (f.bitsPerSample != 0) return f.bitsPerSample;
    return f.channels ? f.blockAlign * 8 / f.channels : 0;
}

bool Playable(const WaveFormat& f) {
    int bits = BitsOf(f);
    return f.formatTag == WAVE_FORMAT_PCM && (f.channels == 1 || f.channels == 2) &&
           (bits == 8 || bits == 16) && f.blockAlign == f.channels * bits / 8 &&
           f.samplesPerSec >= MinSoundRate && f.samplesPerSec <= MaxSoundRate;
}

WaveFormat OutputFormat() {
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    WaveFormat f;
    f.formatTag = WAVE_FORMAT_PCM;
    f.channels = static_cast<uint16_t>(channels);
    f.samplesPerSec = static_cast<uint32_t>(rate);
    f.bitsPerSample = static_cast<uint16_t>(SDL_AUDIO_BITSIZE(format));
    f.blockAlign = static_cast<uint16_t>(f.channels * f.bitsPerSample / 8);
    f.avgBytesPerSec = f.samplesPerSec * f.blockAlign;
    return f;
}

}  // namespace

SoundBuffer::SoundBuffer(DirectSound* device, uint32_t flags, const WaveFormat& format,
                         uint32_t bytes, int channel)
    : device_(device), flags_(flags), format_(format), bitsPerSample_(BitsOf(format)),
      pcm_(bytes, 0), channel_(channel) {
    device_->AddRef();
}

SoundBuffer::~SoundBuffer() {
    if (chunk_) Mix_FreeChunk(chunk_);  // stops the channel when it plays this sound
    if (channel_ >= 0) device_->channels_[channel_] = nullptr;
    device_->Release();
}

HResult SoundBuffer::GetCaps(SoundBufferCaps* caps) const {
    if (!caps) return DSERR_INVALIDPARAM;
    caps->flags = flags_;
    caps->bufferBytes = static_cast<uint32_t>(pcm_.size());
    return DS_OK;
}

HResult SoundBuffer::GetFormat(WaveFormat* format) const {
    if (!format) return DSERR_INVALIDPARAM;
    *format = format_;
    return DS_OK;
}

HResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                          void** part2, uint32_t* bytes2) {
    if (HResult fault = TakeFault("SoundBuffer.Lock")) return fault;
    uint32_t size = static_cast<uint32_t>(pcm_.size());
    if (channel_ < 0 || !part1 || !bytes1 || offset >= size || bytes == 0 || bytes > size) {
        return DSERR_INVALIDPARAM;
    }
    *part1 = pcm_.data() + offset;
    *bytes1 = std::min(bytes, size - offset);
    uint32_t rest = bytes - *bytes1;
    if (part2) *part2 = rest ? pcm_.data() : nullptr;
    if (bytes2) *bytes2 = rest;
    return DS_OK;
}

HResult SoundBuffer::Unlock(void*, uint32_t, void*, uint32_t) {
    if (channel_ < 0) return DSERR_INVALIDPARAM;
    Convert();
    return DS_OK;
}

// Converts the whole frames of the sound into the device's format for the mixer.
void SoundBuffer::Convert() {
    if (chunk_) {
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
    output_.clear();
    size_t bytes = pcm_.size() / format_.blockAlign * format_.blockAlign;
    if (bytes == 0) return;

    int rate = 0;
    int channels = 0;
    Uint16 deviceFormat = 0;
    Mix_QuerySpec(&rate, &deviceFormat, &channels);
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, bitsPerSample_ == 8 ? AUDIO_U8 : AUDIO_S16LSB,
                          static_cast<Uint8>(format_.channels),
                          static_cast<int>(format_.samplesPerSec), deviceFormat,
                          static_cast<Uint8>(channels), rate) < 0) {
        return;
    }
    output_.assign(bytes * static_cast<size_t>(cvt.len_mult), 0);
    std::memcpy(output_.data(), pcm_.data(), bytes);
    cvt.buf = output_.data();
    cvt.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&cvt) < 0) {
        output_.clear();
        return;
    }
    output_.resize(static_cast<size_t>(cvt.len_cvt));
    if (!output_.empty()) {
        chunk_ = Mix_QuickLoad_RAW(output_.data(), static_cast<Uint32>(output_.size()));
    }
}

HResult SoundBuffer::Play(uint32_t flags) {
    if (HResult fault = TakeFault("Play")) return fault;
    if (channel_ < 0) return DS_OK;  // the device's output runs from its opening
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    if (!chunk_) return DS_OK;  // nothing written yet: silence
    if (Mix_PlayChannel(channel_, chunk_, looping_ ? -1 : 0) < 0) return DSERR_GENERIC;
    return DS_OK;
}

HResult SoundBuffer::Stop() {
    if (HResult fault = TakeFault("Stop")) return fault;
    if (channel_ >= 0) Mix_HaltChannel(channel_);
    return DS_OK;
}

HResult SoundBuffer::Restore() {
    if (HResult fault = TakeFault("Restore")) return fault;
    return DS_OK;
}

HResult SoundBuffer::GetStatus(uint32_t* status) const {
    if (!status) return DSERR_INVALIDPARAM;
    *status = 0;
    if (channel_ >= 0 && chunk_ && Mix_Playing(channel_) && Mix_GetChunk(channel_) == chunk_) {
        *status = DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    }
    return DS_OK;
}

DirectSound::~DirectSound() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gDeviceOpen = false;
}

HResult DirectSound::SetCooperativeLevel(Hwnd, uint32_t level) {
    if (HResult fault = TakeFault("DirectSound.SetCooperativeLevel")) return fault;
    return level == DSSCL_NORMAL ? DS_OK : DSERR_INVALIDPARAM;
}

HResult DirectSound::CreateSoundBuffer(const SoundBufferDesc& desc, SoundBuffer** buffer) {
    if (!buffer) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (HResult fault = TakeFault("CreateSoundBuffer")) return fault;
    if (desc.flags & DSBCAPS_PRIMARYBUFFER) {
        if (desc.bufferBytes != 0 || desc.format) return DSERR_INVALIDPARAM;
        *buffer = new SoundBuffer(this, desc.flags, OutputFormat(), 0, -1);
        return DS_OK;
    }
    if (!desc.format || desc.bufferBytes == 0 || desc.bufferBytes > MaxSoundBufferBytes) {
        return DSERR_INVALIDPARAM;
    }
    if (!Playable(*desc.format)) return DSERR_BADFORMAT;
    auto freeChannel = std::find(std::begin(channels_), std::end(channels_), nullptr);
    if (freeChannel == std::end(channels_)) return DSERR_ALLOCATED;
    int channel = static_cast<int>(freeChannel - std::begin(channels_));
    try {
        *freeChannel = new SoundBuffer(this, desc.flags, *desc.format, desc.bufferBytes, channel);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    *buffer = *freeChannel;
    return DS_OK;
}

HResult DirectSoundCreate(DirectSound** device) {
    if (!device) return DSERR_INVALIDPARAM;
    *device = nullptr;
    if (HResult fault = TakeFault("DirectSoundCreate")) return fault;
    if (gDeviceOpen) return DSERR_ALLOCATED;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return DSERR_NODRIVER;
    if (Mix_OpenAudio(OutputRate, AUDIO_S16SYS, OutputChannels, OutputChunkFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return DSERR_NODRIVER;
    }
    Mix_AllocateChannels(MixerChannels);
    gDeviceOpen = true;
    *device = new DirectSound;
    return DS_OK;
}

}  // namespace platform
