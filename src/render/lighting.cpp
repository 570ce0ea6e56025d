#include "render/lighting.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/int64.h"
#include "render/view.h"

LightRecord LightTable[LightTableCapacity] = {};
int LightCount = 0;
Fixed16 AmbientLight = 0;
Fixed16 FadeNear = 0;
Fixed16 FadeRange = 0;

namespace {

constexpr Fixed16 MaxLightLevel = 63 * FixedOne;

alignas(256) uint8_t ShadeTableBuffer[ShadeTableBufferSize];

Fixed16 Cut32(int64_t v) {
    return static_cast<Fixed16>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

Fixed16 Sub32(Fixed16 a, Fixed16 b) { return Cut32(static_cast<int64_t>(a) - b); }

// (A . B) >> 16 with the sum in 64 bits, low 32 bits kept.
Fixed16 Dot(Fixed16 ax, Fixed16 ay, Fixed16 az, const FixedVector& b) {
    const uint64_t sum = static_cast<uint64_t>(static_cast<int64_t>(ax) * b.x) +
                         static_cast<uint64_t>(static_cast<int64_t>(ay) * b.y) +
                         static_cast<uint64_t>(static_cast<int64_t>(az) * b.z);
    return Cut32(static_cast<int64_t>(sum) >> 16);
}

Fixed16 DirectionalTerm(const LightRecord& light, const FixedVector& n) {
    const Fixed16 dot = Dot(light.x, light.y, light.z, n);
    if (dot <= 0) {
        return 0;
    }
    return Cut32((static_cast<int64_t>(dot) * light.intensity) >> 16);
}

Fixed16 PointTerm(const LightRecord& light, Fixed16 dx, Fixed16 dy, Fixed16 dz,
                  const FixedVector& n) {
    const Fixed16 dot = Dot(dx, dy, dz, n);
    if (dot <= 0) {
        return 0;
    }
    const Fixed16 dh = Distance2D(0, 0, dz, dx);
    const Fixed16 d = Distance2D(0, 0, dh, dy);
    // Walls divide by the horizontal distance, every other face by the distance in space.
    const Fixed16 divisor = n.y == 0 ? dh : d;
    if (divisor == 0) {
        return 0;  // a light at the vertex itself adds nothing
    }
    const Fixed16 l = MulDiv(light.intensity, dot, divisor);
    if (light.range == -1) {
        return l;
    }
    const int64_t beyond =
        static_cast<int64_t>(d) - (static_cast<int64_t>(light.falloffStart) << 16);
    if (beyond < 0) {
        return l;
    }
    const int64_t magnitude = std::llabs(static_cast<int64_t>(light.intensity));
    const Fixed16 q =
        Cut32(Cut32((magnitude * beyond) >> 24) + static_cast<int64_t>(light.range) * 4096);
    if (q == 0) {
        return 0;
    }
    return MulDiv(light.range * 4096, l, q);
}

Fixed16 DistanceFade(const PolygonVertex& v, Fixed16 value) {
    const Fixed16 dist = Distance2D(0, 0, Distance2D(0, 0, v.z, v.x), v.y);
    const int64_t e = static_cast<int64_t>(dist) - FadeNear;
    if (e <= 0) {
        return value;
    }
    const int64_t r = static_cast<int64_t>(FadeRange) - e;
    if (r <= 0) {
        return 0;
    }
    return MulDiv(value, Cut32(r), FadeRange);
}

// `owner`, when given, is the id whose lights shine at full intensity.
Fixed16 Light(PolygonVertex& v, const int32_t* owner) {
    int64_t faded = 0;
    int64_t unfaded = 0;
    for (int i = 0; i < LightCount; ++i) {
        const LightRecord& light = LightTable[i];
        Fixed16 c;
        if (owner != nullptr && light.ownerId == *owner) {
            c = light.intensity;
        } else if (light.kind == LightDirectional) {
            c = DirectionalTerm(light, ViewPlaneNormal);
        } else if ((light.kind == LightUpwardCone || light.kind == LightDownwardCone ||
                    light.coneAngle != 0) &&
                   LightReachesPoint(light, v) == 0) {
            c = 0;
        } else {
            c = PointTerm(light, Sub32(light.x, v.x), Sub32(light.y, v.y), Sub32(light.z, v.z),
                          ViewPlaneNormal);
        }
        if (light.kind & LightUnfaded) {
            unfaded += c;
        } else {
            faded += c;
        }
    }
    const Fixed16 t = Cut32(faded + AmbientLight);
    int64_t level = 0;
    if (t >= 0) {
        level = DistanceFade(v, Cut32((static_cast<int64_t>(t) * Brightness) >> 7));
    }
    level += Cut32((static_cast<int64_t>(Cut32(unfaded)) * Brightness) >> 7);
    v.light = static_cast<Fixed16>(std::clamp<int64_t>(level, 0, MaxLightLevel));
    return v.light;
}

}  // namespace

void SetLighting(Fixed16 fadeNear, Fixed16 fadeRange, Fixed16 ambient, int count,
                 const LightRecord* lights) {
    FadeNear = fadeNear;
    FadeRange = fadeRange;
    AmbientLight = ambient;
    LightCount = lights == nullptr ? 0 : std::clamp(count, 0, LightTableCapacity);
    for (int i = 0; i < LightCount; ++i) {
        LightRecord light = lights[i];
        if (light.kind == LightDirectional) {
            // Adding the camera position leaves only the rotation (and y negated).
            light.x = Cut32(static_cast<int64_t>(light.x) + CameraX);
            light.y = Cut32(static_cast<int64_t>(light.y) + CameraY);
            light.z = Cut32(static_cast<int64_t>(light.z) + CameraZ);
        }
        const FixedVector v = TransformToView(light.x, light.y, light.z);
        light.x = v.x;
        light.y = v.y;
        light.z = v.z;
        LightTable[i] = light;
    }
}

Fixed16 LightVertex(PolygonVertex& v) { return Light(v, nullptr); }

Fixed16 LightSpriteVertex(PolygonVertex& v, int32_t ownerId) { return Light(v, &ownerId); }

int LightReachesPoint(const LightRecord& light, const PolygonVertex& point) {
    // The cone's sine and cosine are read at twice the angle's entry, taken round the turn.
    const int entry = (2 * (light.coneAngle >> 6)) & 1023;
    const int64_t s = SineTable[entry];
    const int64_t c = SineTable[entry + 256];
    const int64_t dy = static_cast<int64_t>(point.y) - light.y;
    switch (light.kind) {
        case LightUpwardCone: {
            if (dy >= 0) {
                return 0;  // reaches only points above the light
            }
            const int64_t r = Distance2D(light.x, light.z, point.x, point.z);
            return (-dy) * s > r * c ? 0 : 1;
        }
        case LightDownwardCone: {
            if (dy <= 0) {
                return 0;  // reaches only points below the light
            }
            const int64_t r = Distance2D(light.x, light.z, point.x, point.z);
            return dy * s > r * c ? 0 : 1;
        }
        case LightHorizontalCone: {
            const int64_t a = static_cast<int64_t>(Sub32(light.x, point.x)) * s +
                              static_cast<int64_t>(Sub32(light.z, point.z)) * c;
            const int64_t b =
                static_cast<int64_t>(
                    Distance2D(0, 0, Distance2D(light.x, light.z, point.x, point.z), Cut32(dy))) *
                c;
            return b > a ? 0 : 1;
        }
        default: return 1;
    }
}

void PlaneNormal(const FixedVector& p0, const FixedVector& p1, const FixedVector& p2,
                 FixedVector& out) {
    const int64_t ax = Sub32(p1.x, p0.x);
    const int64_t ay = Sub32(p1.y, p0.y);
    const int64_t az = Sub32(p1.z, p0.z);
    const int64_t bx = Sub32(p2.x, p0.x);
    const int64_t by = Sub32(p2.y, p0.y);
    const int64_t bz = Sub32(p2.z, p0.z);

    if (bx == 0 && bz == 0 && !(ay == 0 && by == 0)) {
        // A vertical plane through the first edge.
        const int64_t len = Distance2D(p0.x, p0.z, p1.x, p1.z);
        if (len == 0) {
            out = {0, 0, 0};
            return;
        }
        out.x = Cut32((az * 65536) / len);
        out.y = 0;
        out.z = Cut32((-ax * 65536) / len);
        return;
    }
    auto cross = [](int64_t p, int64_t q, int64_t r, int64_t t) {
        return static_cast<int64_t>(static_cast<uint64_t>(p * q) - static_cast<uint64_t>(r * t));
    };
    const double nx = static_cast<double>(cross(ay, bz, az, by));
    const double ny = static_cast<double>(cross(az, bx, ax, bz));
    const double nz = static_cast<double>(cross(ax, by, ay, bx));
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len == 0.0) {
        out = {0, 0, 0};
        return;
    }
    out.x = DoubleToInt32(std::nearbyint(nx * 65536.0 / len));
    out.y = DoubleToInt32(std::nearbyint(ny * 65536.0 / len));
    out.z = DoubleToInt32(std::nearbyint(nz * 65536.0 / len));
}

Fixed16 Distance2D(Fixed16 x0, Fixed16 z0, Fixed16 x1, Fixed16 z1) {
    const double dx = static_cast<double>(x1) - x0;
    const double dz = static_cast<double>(z1) - z0;
    return DoubleToInt32(std::nearbyint(std::sqrt(dx * dx + dz * dz)));
}

void InitShadeTable() {
    ShadeTable = ShadeTableBuffer;
    for (int level = 0; level < ShadeLevels; ++level) {
        for (int j = 0; j < 256; ++j) {
            ShadeTable[level * 256 + j] = static_cast<uint8_t>(j);
        }
    }
}
