// Writes the demo's sounds into <build>/demo as 8-bit mono WAVE files at 11025 samples a second:
// "hum.wav", a low hum that the spring court loops, "gate.wav", the rising sweep of a gate, and
// "chime.wav", two bell notes that fade.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 11025;
constexpr double Pi = 3.14159265358979;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

// RIFF "WAVE" with a 16-byte "fmt " chunk (PCM, mono, 8 bits) and the "data" chunk.
std::vector<uint8_t> Encode(const std::vector<double>& samples) {
    std::vector<uint8_t> out;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size());
    PutId(out, "RIFF");
    Put32(out, 4 + 8 + 16 + 8 + dataSize + (dataSize & 1));
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);     // PCM
    Put16(out, 1);     // mono
    Put32(out, Rate);  // samples a second
    Put32(out, Rate);  // bytes a second
    Put16(out, 1);     // block size
    Put16(out, 8);     // bits a sample
    PutId(out, "data");
    Put32(out, dataSize);
    for (double s : samples) {
        const double v = 128.0 + 100.0 * (s < -1 ? -1 : s > 1 ? 1 : s);
        out.push_back(static_cast<uint8_t>(v));
    }
    if (dataSize & 1) out.push_back(128);
    return out;
}

bool Write(const std::string& path, const std::vector<double>& samples) {
    const std::vector<uint8_t> bytes = Encode(samples);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// One second of two low tones a fifth apart: whole cycles of both, so the loop has no seam.
std::vector<double> Hum() {
    std::vector<double> s(Rate);
    for (int i = 0; i < Rate; ++i) {
        const double t = double(i) / Rate;
        s[i] = 0.4 * std::sin(2 * Pi * 110 * t) + 0.25 * std::sin(2 * Pi * 165 * t);
    }
    return s;
}

// Half a second sweeping up from 200 to 600 cycles a second.
std::vector<double> Gate() {
    const int n = Rate / 2;
    std::vector<double> s(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        phase += 2 * Pi * (200.0 + 400.0 * i / n) / Rate;
        s[i] = 0.6 * std::sin(phase) * (1.0 - double(i) / n * 0.5);
    }
    return s;
}

// Two bell notes of a third of a second each, fading out.
std::vector<double> Chime() {
    const int n = Rate / 3;
    std::vector<double> s;
    for (double freq : {880.0, 660.0})
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / Rate;
            s.push_back(0.7 * std::exp(-6.0 * t) *
                        (std::sin(2 * Pi * freq * t) + 0.3 * std::sin(4 * Pi * freq * t)));
        }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_sounds <build folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/demo/";
    if (!Write(folder + "hum.wav", Hum()) || !Write(folder + "gate.wav", Gate()) ||
        !Write(folder + "chime.wav", Chime())) {
        std::fprintf(stderr, "gen_sounds: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
