// The sound device and its buffers over the mixer: formats taken and refused, the PCM converted
// to the device's format, channels handed out one per buffer.
#include "platform/audio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

using namespace platform;

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat f;
    f.formatTag = WAVE_FORMAT_PCM;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = bits;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

class AudioTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(DirectSoundCreate(&device_), DS_OK);
    }
    void TearDown() override {
        for (SoundBuffer* b : buffers_) b->Release();
        device_->Release();
    }

    HResult Create(const WaveFormat& f, uint32_t bytes, SoundBuffer** out = nullptr) {
        SoundBufferDesc desc;
        desc.flags = DSBCAPS_STATIC;
        desc.bufferBytes = bytes;
        desc.format = &f;
        SoundBuffer* b = nullptr;
        HResult r = device_->CreateSoundBuffer(desc, &b);
        if (b) buffers_.push_back(b);
        if (out) *out = b;
        return r;
    }

    // Fills a buffer and plays it; the mixer's copy of the sound.
    std::vector<uint8_t> Converted(const WaveFormat& f, const std::vector<uint8_t>& pcm) {
        SoundBuffer* b = nullptr;
        EXPECT_EQ(Create(f, uint32_t(pcm.size()), &b), DS_OK);
        if (!b) return {};
        void* p1;
        void* p2;
        uint32_t n1, n2;
        EXPECT_EQ(b->Lock(0, uint32_t(pcm.size()), &p1, &n1, &p2, &n2), DS_OK);
        std::memcpy(p1, pcm.data(), n1);
        b->Unlock(p1, n1, p2, n2);
        EXPECT_EQ(b->Play(0), DS_OK);
        int channel = int(buffers_.size()) - 1;
        Mix_Chunk* chunk = Mix_GetChunk(channel);
        if (!chunk) return {};
        return {chunk->abuf, chunk->abuf + chunk->alen};
    }

    DirectSound* device_ = nullptr;
    std::vector<SoundBuffer*> buffers_;
};

TEST_F(AudioTest, OneDeviceAtATime) {
    DirectSound* second = nullptr;
    EXPECT_EQ(DirectSoundCreate(&second), DSERR_ALLOCATED);
    EXPECT_EQ(second, nullptr);
}

TEST_F(AudioTest, BuffersTakePcmOfOneOrTwoChannelsAndEightOrSixteenBits) {
    EXPECT_EQ(Create(Pcm(1, 8000, 8), 100), DS_OK);
    EXPECT_EQ(Create(Pcm(2, 48000, 16), 100), DS_OK);
    WaveFormat noBits = Pcm(2, 22050, 16);
    noBits.bitsPerSample = 0;  // a 14-byte record: 16 bits from the block size
    EXPECT_EQ(Create(noBits, 100), DS_OK);

    WaveFormat compressed = Pcm(1, 8000, 8);
    compressed.formatTag = 2;
    WaveFormat misaligned = Pcm(2, 8000, 16);
    misaligned.blockAlign = 3;
    for (const WaveFormat& f : {compressed, misaligned, Pcm(3, 8000, 8), Pcm(1, 8000, 24),
                                Pcm(1, 50, 8), Pcm(1, 400000, 8), Pcm(0, 8000, 8)}) {
        EXPECT_EQ(Create(f, 100), DSERR_BADFORMAT);
    }
    EXPECT_EQ(Create(Pcm(1, 8000, 8), 0), DSERR_INVALIDPARAM);

    while (buffers_.size() < size_t(MixerChannels)) ASSERT_EQ(Create(Pcm(1, 8000, 8), 4), DS_OK);
    EXPECT_EQ(Create(Pcm(1, 8000, 8), 4), DSERR_ALLOCATED);
    buffers_.back()->Release();
    buffers_.pop_back();
    EXPECT_EQ(Create(Pcm(1, 8000, 8), 4), DS_OK);  // its channel is free again
}

TEST_F(AudioTest, PcmIsConvertedToTheDeviceFormat) {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    if (rate != OutputRate || format != AUDIO_S16SYS || channels != 2) {
        GTEST_SKIP() << "the device did not take the requested format";
    }
    // Already in the device's format: unchanged.
    std::vector<uint8_t> same(64);
    for (size_t i = 0; i < same.size(); ++i) same[i] = uint8_t(i * 37);
    EXPECT_EQ(Converted(Pcm(2, 44100, 16), same), same);

    // 8-bit unsigned mono: centred on 0, scaled to 16 bits (half scale stays half scale, within
    // one step of SDL's rounding, which differs between architectures), the sample on both sides.
    std::vector<uint8_t> out = Converted(Pcm(1, 44100, 8), {0x80, 0xC0, 0x40, 0x80});
    ASSERT_EQ(out.size(), 16u);
    int16_t s[8];
    std::memcpy(s, out.data(), sizeof s);
    const int expected[4] = {0, 0x4000, -0x4000, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(s[2 * i], expected[i], 1) << "sample " << i;
        EXPECT_EQ(s[2 * i + 1], s[2 * i]) << "sample " << i;
    }

    // 1000 frames at half the rate: about 2000 frames of 4 bytes.
    out = Converted(Pcm(1, 22050, 16), std::vector<uint8_t>(2000));
    EXPECT_EQ(out.size() % 4, 0u);
    EXPECT_NEAR(double(out.size()), 8000.0, 80.0);
}

TEST_F(AudioTest, LockWrapsPastTheEnd) {
    SoundBuffer* b = nullptr;
    ASSERT_EQ(Create(Pcm(1, 8000, 8), 10, &b), DS_OK);
    void* p1;
    void* p2;
    uint32_t n1, n2;
    ASSERT_EQ(b->Lock(6, 8, &p1, &n1, &p2, &n2), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(p2), 6);
    EXPECT_EQ(b->Lock(10, 1, &p1, &n1, &p2, &n2), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 11, &p1, &n1, &p2, &n2), DSERR_INVALIDPARAM);
}

}  // namespace
