// WAVE files loaded into a sound slot of the (silent) mixer device and played, the way scripts
// load sounds; without a device, the file is still read and parsed.
#include <cstdlib>
#include <vector>

#include "fuzz_harness.h"
#include "shell/sound.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    InitSound(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.wav", data, size);
    fuzz::Run([] {
        if (!SoundDevice) {
            std::vector<uint8_t> image;
            platform::WaveFormat format;
            const uint8_t* samples = nullptr;
            uint32_t bytes = 0;
            ReadWaveFile("fuzz.wav", image, &format, &samples, &bytes);
            return;
        }
        const int slot = LoadSound("fuzz.wav");
        if (slot >= 0) {
            PlaySound(slot, 1);
            StopSound(slot);
        }
        FreeSounds(0);
    });
    return 0;
}
