// Sound slots and WAVE files, with files made by sox (tests/data/wave, see make_fixtures.sh).
#include "shell/sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/faults.h"
#include "platform/message_box.h"
#include "support/long_wave.h"

namespace {

const std::string WaveDir = std::string(DUSK_TEST_DATA) + "/wave/";

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file of the given bytes, named after the running test and its process (tests, and runs of
// the program, go side by side).
struct Written {
    std::string path;
    explicit Written(const std::vector<uint8_t>& bytes)
        : path(std::string(DUSK_GEN_DATA) + "/" +
               testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(::getpid()) + ".wav") {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~Written() { std::remove(path.c_str()); }
};

std::vector<std::pair<std::string, std::string>> Boxes() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& b : platform::RecordedBoxes()) out.push_back({b.caption, b.text});
    return out;
}
using BoxList = std::vector<std::pair<std::string, std::string>>;

class SoundTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        platform::SetBoxEcho(false);
    }
    void SetUp() override {
        if (!SoundDevice) InitSound(nullptr);
        ASSERT_NE(SoundDevice, nullptr) << "the dummy sound driver did not open";
        FreeSounds(0);
        platform::ClearRecordedBoxes();
    }
    void TearDown() override {
        platform::ClearFaults();
        FreeSounds(0);
    }
};

TEST_F(SoundTest, SlotsHoldSoxFilesWithTheFormatAndLengthSoxReports) {
    const char* names[] = {"u8_mono_8000", "u8_stereo_11025", "s16_mono_22050", "s16_stereo_44100",
                           "s16_mono_extra_chunks"};
    int expectedSlot = 0;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        unsigned rate = 0, channels = 0, bits = 0, samples = 0;
        std::ifstream(WaveDir + name + ".soxi") >> rate >> channels >> bits >> samples;
        ASSERT_GT(rate, 0u);

        int slot = LoadSound(WaveDir + name + ".wav");
        ASSERT_EQ(slot, expectedSlot++);
        EXPECT_EQ(SoundCount, slot + 1);
        EXPECT_EQ(CurrentSound, slot);
        EXPECT_EQ(SoundFileNames[slot], WaveDir + name + ".wav");
        platform::WaveFormat format;
        platform::SoundBufferCaps caps;
        ASSERT_EQ(SoundSlots[slot]->GetFormat(&format), platform::DS_OK);
        ASSERT_EQ(SoundSlots[slot]->GetCaps(&caps), platform::DS_OK);
        EXPECT_EQ(format.formatTag, platform::WAVE_FORMAT_PCM);
        EXPECT_EQ(format.samplesPerSec, rate);
        EXPECT_EQ(format.channels, channels);
        EXPECT_EQ(format.bitsPerSample, bits);
        EXPECT_EQ(caps.bufferBytes, samples * channels * bits / 8);
        EXPECT_EQ(caps.flags, 0xE2u);
    }
    EXPECT_EQ(Boxes(), BoxList{});
}

TEST_F(SoundTest, FileImageHoldsEveryByteOfTheFile) {
    // 86 bytes, not a whole number of four-byte units: the last data byte is read too.
    const std::string name = WaveDir + "u8_mono_8000.wav";
    std::vector<uint8_t> file = ReadBytes(name);
    ASSERT_EQ(file.size(), 86u);
    std::vector<uint8_t> image;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    platform::WaveFormat format;
    ASSERT_EQ(ReadWaveFile(name, image, &format, &data, &size), 1);
    EXPECT_EQ(image, file);
    EXPECT_EQ(size, 41u);
    EXPECT_NE(file[44 + 40], 0);
    EXPECT_EQ(data[40], file[44 + 40]);

    // The slot's buffer holds the whole sound.
    ASSERT_EQ(LoadSound(name), 0);
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t bytes1 = 0, bytes2 = 0;
    ASSERT_EQ(SoundSlots[0]->Lock(0, size, &part1, &bytes1, &part2, &bytes2), platform::DS_OK);
    ASSERT_EQ(bytes1, 41u);
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(part1), static_cast<uint8_t*>(part1) + 41),
              std::vector<uint8_t>(file.begin() + 44, file.begin() + 85));
    SoundSlots[0]->Unlock(part1, bytes1, part2, bytes2);
}

TEST_F(SoundTest, DamagedFilesLoadNothing) {
    const std::vector<uint8_t> good = ReadBytes(WaveDir + "s16_mono_22050.wav");
    auto patched = [&](size_t at, std::vector<uint8_t> bytes, size_t erase = 0) {
        std::vector<uint8_t> f = good;
        f.erase(f.begin() + at, f.begin() + at + erase);
        f.insert(f.begin() + at, bytes.begin(), bytes.end());
        return f;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"not RIFF", patched(0, {'R', 'I', 'F', 'X'}, 4)},
        {"not WAVE", patched(8, {'A', 'V', 'I', ' '}, 4)},
        {"fmt of 12 bytes",
         patched(16, {12, 0, 0, 0, 1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0}, 20)},
        {"no data chunk", patched(36, {'j', 'u', 'n', 'k'}, 4)},
        {"no fmt chunk", patched(12, {'f', 'm', 't', '_'}, 4)},
        {"compressed", patched(20, {2, 0}, 2)},
        {"RIFF size ends before fmt", patched(4, {4, 0, 0, 0}, 4)},
        {"data chunk cut to nothing", {good.begin(), good.begin() + 44}},
        {"chunk size past the end", patched(16, {0xF0, 0xFF, 0xFF, 0xFF}, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreeSounds(0);
        platform::ClearRecordedBoxes();
        Written file(c.bytes);
        EXPECT_EQ(LoadSound(file.path), -1);
        EXPECT_EQ(SoundCount, 1);  // the slot stays taken, empty
        EXPECT_EQ(SoundSlots[0], nullptr);
        EXPECT_EQ(Boxes(), (BoxList{{"Error", "Cant load sound file"}}));
    }

    FreeSounds(0);
    platform::ClearRecordedBoxes();
    EXPECT_EQ(LoadSound(WaveDir + "missing.wav"), -1);
    EXPECT_EQ(Boxes(),
              (BoxList{{"Error", "Wave File Open Error"}, {"Error", "Cant load sound file"}}));
    EXPECT_EQ(SoundCount, 1);

    // A file cut inside its samples keeps what is there; cut anywhere, nothing is read beyond
    // the file.
    for (size_t n = 0; n < good.size(); n += 7) {
        FreeSounds(0);
        Written file({good.begin(), good.begin() + n});
        int slot = LoadSound(file.path);
        if (slot >= 0) {
            platform::SoundBufferCaps caps;
            SoundSlots[slot]->GetCaps(&caps);
            EXPECT_EQ(caps.bufferBytes, n - 44) << "cut at " << n;
        }
    }
}

TEST_F(SoundTest, AFailedLoadKeepsItsSlotSoLaterSoundsKeepTheirNumbers) {
    const std::string good = WaveDir + "u8_mono_8000.wav";
    ASSERT_EQ(LoadSound(WaveDir + "missing.wav"), -1);
    EXPECT_EQ(SoundCount, 1);
    EXPECT_EQ(CurrentSound, 0);
    EXPECT_EQ(LoadSound(good), 1);
    EXPECT_EQ(LoadSound(good), 2);
    EXPECT_EQ(SoundSlots[0], nullptr);
    EXPECT_TRUE(SoundFileNames[0].empty());
    EXPECT_EQ(PlaySound(0, 1), 0);
    EXPECT_EQ(StopSound(0), 0);
    EXPECT_EQ(PlaySound(1, 0), 1);
    EXPECT_EQ(LastPlayedSound, 1);

    // Failed loads count against the 24 slots; the reset empties them with the rest.
    for (int slot = 3; slot < SoundSlotCount; ++slot)
        ASSERT_EQ(LoadSound(WaveDir + "missing.wav"), -1);
    EXPECT_EQ(SoundCount, SoundSlotCount);
    platform::ClearRecordedBoxes();
    EXPECT_EQ(LoadSound(good), -1);
    EXPECT_EQ(Boxes(), (BoxList{{"Error", "Exceed Maximum Sound Buffer"}}));
    FreeSounds(0);
    EXPECT_EQ(LoadSound(good), 0);
}

TEST_F(SoundTest, FormatRecordOfFourteenBytesLoads) {
    // "fmt " without its bits per sample: they follow from the block size.
    std::vector<uint8_t> f = ReadBytes(WaveDir + "s16_stereo_44100.wav");
    f[16] = 14;
    f.erase(f.begin() + 34, f.begin() + 36);
    uint32_t riff = uint32_t(f.size() - 8);
    std::memcpy(&f[4], &riff, 4);
    Written file(f);
    int slot = LoadSound(file.path);
    ASSERT_EQ(slot, 0);
    platform::WaveFormat format;
    SoundSlots[0]->GetFormat(&format);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.blockAlign, 4);
    EXPECT_EQ(format.bitsPerSample, 0);
    EXPECT_EQ(PlaySound(0, 0), 1);
}

TEST_F(SoundTest, TwentyFifthLoadIsRefusedAndResetEmptiesEverySlot) {
    const std::string name = WaveDir + "u8_mono_8000.wav";
    for (int i = 0; i < SoundSlotCount; ++i) ASSERT_EQ(LoadSound(name), i);
    EXPECT_EQ(LoadSound(name), -1);
    EXPECT_EQ(SoundCount, 24);
    EXPECT_EQ(CurrentSound, 23);
    EXPECT_EQ(Boxes(), (BoxList{{"Error", "Exceed Maximum Sound Buffer"}}));

    FreeSounds(20);
    EXPECT_EQ(SoundCount, 20);
    EXPECT_EQ(SoundSlots[20], nullptr);
    EXPECT_NE(SoundSlots[19], nullptr);
    EXPECT_EQ(LoadSound(name), 20);
    FreeSounds(0);
    for (auto* slot : SoundSlots) EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(LoadSound(name), 0);
}

TEST_F(SoundTest, PlayingOnceLoopingRestartingAndStopping) {
    const std::string longWave =
        std::string(DUSK_GEN_DATA) + "/long_" + std::to_string(::getpid()) + ".wav";
    testwave::WriteTenSecondWave(longWave);
    ASSERT_EQ(LoadSound(longWave), 0);
    std::remove(longWave.c_str());
    ASSERT_EQ(LoadSound(WaveDir + "u8_mono_8000.wav"), 1);
    uint32_t status = 0;

    EXPECT_EQ(PlaySound(0, 1), 1);
    SoundSlots[0]->GetStatus(&status);
    EXPECT_EQ(status, platform::DSBSTATUS_PLAYING | platform::DSBSTATUS_LOOPING);
    EXPECT_EQ(PlaySound(0, 0), 1);  // a playing slot starts again, now once
    SoundSlots[0]->GetStatus(&status);
    EXPECT_EQ(status, platform::DSBSTATUS_PLAYING);
    EXPECT_EQ(PlaySound(1, 1), 1);
    EXPECT_EQ(LastPlayedSound, 1);

    EXPECT_EQ(StopSound(0), 1);
    SoundSlots[0]->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    SoundSlots[1]->GetStatus(&status);
    EXPECT_NE(status, 0u);

    // Empty slots and slots outside the table do nothing.
    for (int slot : {2, 23, 24, -1, 1000}) {
        EXPECT_EQ(PlaySound(slot, 0), 0) << slot;
        EXPECT_EQ(StopSound(slot), 0) << slot;
    }
    EXPECT_EQ(LastPlayedSound, 1);
    EXPECT_EQ(Boxes(), BoxList{});
}

TEST_F(SoundTest, LostBufferIsRestoredFromItsFile) {
    std::vector<uint8_t> bytes = ReadBytes(WaveDir + "u8_mono_8000.wav");
    auto written = std::make_unique<Written>(bytes);
    ASSERT_EQ(LoadSound(written->path), 0);

    platform::InjectFault("Play", platform::DSERR_BUFFERLOST);
    EXPECT_EQ(PlaySound(0, 0), 1);
    EXPECT_EQ(Boxes(), (BoxList{{"Warning", "Sound buffer needs restored"},
                                {"Message", "Sound buffer has been restored"}}));

    platform::ClearRecordedBoxes();
    platform::InjectFault("Play", platform::DSERR_BUFFERLOST);
    platform::InjectFault("Restore", platform::DSERR_GENERIC);
    EXPECT_EQ(PlaySound(0, 0), 0);
    EXPECT_EQ(Boxes(), (BoxList{{"Warning", "Sound buffer needs restored"}}));

    // The file is gone: the buffer cannot be filled again.
    platform::ClearRecordedBoxes();
    written.reset();
    platform::InjectFault("Play", platform::DSERR_BUFFERLOST);
    EXPECT_EQ(PlaySound(0, 0), 0);
    EXPECT_EQ(Boxes(), (BoxList{{"Warning", "Sound buffer needs restored"},
                                {"Error", "Wave File Open Error"}}));
}

TEST_F(SoundTest, WithoutADeviceTheGameIsSilentAndQuiet) {
    const std::string name = WaveDir + "u8_mono_8000.wav";
    ASSERT_EQ(LoadSound(name), 0);
    FreeSounds(0);
    ReleaseSoundDevice();
    platform::InjectFault("DirectSoundCreate", platform::DSERR_NODRIVER);
    EXPECT_EQ(InitSound(nullptr), 1);
    EXPECT_EQ(SoundDevice, nullptr);
    EXPECT_EQ(LoadSound(name), -1);
    EXPECT_EQ(PlaySound(0, 1), 0);
    EXPECT_EQ(StopSound(0), 0);
    EXPECT_EQ(SoundCount, 0);
    EXPECT_EQ(Boxes(), BoxList{});

    // The device comes, but its output cannot be set up or started: reported, and it goes on.
    platform::InjectFault("CreateSoundBuffer", platform::DSERR_OUTOFMEMORY);
    EXPECT_EQ(InitSound(nullptr), 1);
    ASSERT_NE(SoundDevice, nullptr);
    ReleaseSoundDevice();
    platform::InjectFault("Play", platform::DSERR_GENERIC);
    EXPECT_EQ(InitSound(nullptr), 1);
    EXPECT_EQ(Boxes(), (BoxList{{"Error", "Unable to create Primary sound buffer"},
                                {"Error", "Unable to play Primary sound buffer"}}));
    EXPECT_EQ(LoadSound(name), 0);
}

}  // namespace
