#pragma once
// The world's units: 16.16 fixed point, 16-bit angles and the sine table,
// and the conversion of numbers read from the level and cube files.
#include <cmath>
#include <cstdint>
#include <limits>

// Signed 16.16 fixed point: 65536 is 1.0.
using Fixed16 = int32_t;

constexpr Fixed16 FixedOne = 65536;

// x, y, z with y pointing up; the floor plane is x/z. Users write all three fields.
struct FixedVector {
    Fixed16 x;
    Fixed16 y;
    Fixed16 z;
};

// The same three components as floats, for the 3D scene.
struct FixedVectorF {
    float x;
    float y;
    float z;
};

// 65536 per full turn; sums and differences wrap.
using Angle16 = uint16_t;

// One turn of 1024 entries plus a quarter turn, amplitude 32767:
// the cosine of entry i is entry i + 256.
constexpr int SineTableSize = 1280;
extern const int16_t SineTable[SineTableSize];

// Sine and cosine of an angle in units of 1/32768.
inline int SinOf(Angle16 a) { return SineTable[a >> 6]; }
inline int CosOf(Angle16 a) { return SineTable[(a >> 6) + 256]; }

// A Fixed16 as a float for the 3D scene: value / 65536.
inline float FixedToFloat(Fixed16 v) { return static_cast<float>(v / 65536.0); }

// The unit view direction of a heading for the 3D scene's camera: (sin, 0, cos).
inline FixedVectorF HeadingDirection(Angle16 a) {
    return {static_cast<float>(SinOf(a) / 32768.0), 0.0f, static_cast<float>(CosOf(a) / 32768.0)};
}

// (a * b) >> 16 through a 64-bit product; only the low 32 bits are kept, so it wraps.
Fixed16 FixedMul(Fixed16 a, Fixed16 b);

// Scale of world units given by the level file; 1.0 until it is read.
extern float WorldScale;

// A double truncated toward zero into 32 bits; out-of-range values saturate, NaN gives 0.
inline int32_t DoubleToInt32(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

// A number read from a file as Fixed16 (value * 65536, truncated): normals,
// texture-mapping vectors, the level file's start position and eye height.
Fixed16 FileNumberToFixed(double value);

// A coordinate, extent or position in world units as Fixed16 (value * WorldScale * 65536).
Fixed16 WorldToFixed(double value);

// A 2D sprite's width or height: value * WorldScale as a 16-bit integer (not fixed point).
int16_t WorldToSize16(double value);

// Whether a number read from a file converts as the three above convert it: finite, and within
// the 32-bit Fixed16 (or the 16 bits of a size) once multiplied.
bool FileNumberFits(double value);
bool WorldNumberFits(double value);
bool WorldSizeFits(double value);
