#include "platform/rm_math.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
uint32_t ColorByte(float v) {
    v = std::clamp(v, 0.0f, 1.0f);
    return static_cast<uint32_t>(v * 255.0f + 0.5f);
}
}  // namespace

RmColor RmCreateColorRGB(float red, float green, float blue) {
    return 0xFF000000u | (ColorByte(red) << 16) | (ColorByte(green) << 8) | ColorByte(blue);
}

RmVector* RmVectorSubtract(RmVector* out, const RmVector* a, const RmVector* b) {
    *out = {a->x - b->x, a->y - b->y, a->z - b->z};
    return out;
}

RmVector* RmVectorCrossProduct(RmVector* out, const RmVector* a, const RmVector* b) {
    RmVector r{a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
    *out = r;
    return out;
}

float RmVectorDotProduct(const RmVector* a, const RmVector* b) {
    return a->x * b->x + a->y * b->y + a->z * b->z;
}

float RmVectorModulus(const RmVector* v) { return std::sqrt(RmVectorDotProduct(v, v)); }

RmVector* RmVectorNormalize(RmVector* v) {
    float len = RmVectorModulus(v);
    if (!(len > 0.0f) || !std::isfinite(len)) {
        *v = {0.0f, 0.0f, 1.0f};
    } else {
        *v = {v->x / len, v->y / len, v->z / len};
    }
    return v;
}

RmQuaternion* RmQuaternionFromRotation(RmQuaternion* out, const RmVector* axis, float theta) {
    RmVector a = *axis;
    RmVectorNormalize(&a);
    float half = theta * 0.5f;
    float s = std::sin(half);
    out->s = std::cos(half);
    out->v = {a.x * s, a.y * s, a.z * s};
    return out;
}

void RmMatrixFromQuaternion(RmMatrix4& out, const RmQuaternion* q) {
    float w = q->s, x = q->v.x, y = q->v.y, z = q->v.z;
    out = RmMatrix4{};
    out.m[0][0] = 1 - 2 * (y * y + z * z);
    out.m[0][1] = 2 * (x * y - w * z);
    out.m[0][2] = 2 * (x * z + w * y);
    out.m[1][0] = 2 * (x * y + w * z);
    out.m[1][1] = 1 - 2 * (x * x + z * z);
    out.m[1][2] = 2 * (y * z - w * x);
    out.m[2][0] = 2 * (x * z - w * y);
    out.m[2][1] = 2 * (y * z + w * x);
    out.m[2][2] = 1 - 2 * (x * x + y * y);
}

RmMatrix4 RmMatrixMultiply(const RmMatrix4& a, const RmMatrix4& b) {
    RmMatrix4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

RmMatrix4 RmMatrixInverse(const RmMatrix4& a) {
    const auto& m = a.m;
    // Inverse of the 3 x 3 part by cofactors, computed in double for round trips.
    double c00 = double(m[1][1]) * m[2][2] - double(m[1][2]) * m[2][1];
    double c01 = double(m[1][2]) * m[2][0] - double(m[1][0]) * m[2][2];
    double c02 = double(m[1][0]) * m[2][1] - double(m[1][1]) * m[2][0];
    double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    RmMatrix4 r;
    if (det == 0.0 || !std::isfinite(det)) return r;
    double inv[3][3];
    inv[0][0] = c00 / det;
    inv[0][1] = (double(m[0][2]) * m[2][1] - double(m[0][1]) * m[2][2]) / det;
    inv[0][2] = (double(m[0][1]) * m[1][2] - double(m[0][2]) * m[1][1]) / det;
    inv[1][0] = c01 / det;
    inv[1][1] = (double(m[0][0]) * m[2][2] - double(m[0][2]) * m[2][0]) / det;
    inv[1][2] = (double(m[0][2]) * m[1][0] - double(m[0][0]) * m[1][2]) / det;
    inv[2][0] = c02 / det;
    inv[2][1] = (double(m[0][1]) * m[2][0] - double(m[0][0]) * m[2][1]) / det;
    inv[2][2] = (double(m[0][0]) * m[1][1] - double(m[0][1]) * m[1][0]) / det;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) r.m[i][j] = static_cast<float>(inv[i][j]);
    }
    for (int j = 0; j < 3; ++j) {
        double t = 0.0;
        for (int k = 0; k < 3; ++k) t -= double(m[3][k]) * inv[k][j];
        r.m[3][j] = static_cast<float>(t);
    }
    return r;
}

RmVector RmTransformPoint(const RmVector& p, const RmMatrix4& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

RmVector RmTransformDirection(const RmVector& d, const RmMatrix4& m) {
    return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
            d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
            d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

}  // namespace platform
