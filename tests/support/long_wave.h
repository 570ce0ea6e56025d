// A WAVE file long enough that a sound played once is still playing when a test looks at it,
// however slowly the test runs: ten seconds of 8-bit mono silence at 8000 Hz.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace testwave {

inline void WriteTenSecondWave(const std::filesystem::path& path) {
    const uint32_t samples = 80000;
    std::string wave = "RIFF";
    auto put32 = [&wave](uint32_t v) {
        for (int i = 0; i < 4; ++i) wave += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&wave](uint16_t v) {
        wave += static_cast<char>(v & 0xFF);
        wave += static_cast<char>(v >> 8);
    };
    put32(36 + samples);
    wave += "WAVEfmt ";
    put32(16);
    put16(1);     // PCM
    put16(1);     // mono
    put32(8000);  // samples a second
    put32(8000);  // bytes a second
    put16(1);     // block size
    put16(8);     // bits a sample
    wave += "data";
    put32(samples);
    wave.append(samples, static_cast<char>(0x80));
    std::ofstream(path, std::ios::binary) << wave;
}

}  // namespace testwave
