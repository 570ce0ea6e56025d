// Vectors, quaternions, 4 x 4 matrices and colours of the scene graph.
// Coordinates are left-handed: x right, y up, z forward. Points are row vectors multiplied on the
// left of a matrix (p' = p * M), so a matrix's fourth row holds its translation.
#pragma once
#include <cstdint>

namespace platform {

struct RmVector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// s is the scalar part, v the vector part.
struct RmQuaternion {
    float s = 1.0f;
    RmVector v;
};

struct RmMatrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

// A colour as 0xAARRGGBB.
using RmColor = uint32_t;

// Colour from red, green and blue in 0.0 .. 1.0 (clamped), alpha full.
RmColor RmCreateColorRGB(float red, float green, float blue);

// The helpers write through `out` and return it, like the customary ones.
RmVector* RmVectorSubtract(RmVector* out, const RmVector* a, const RmVector* b);
RmVector* RmVectorCrossProduct(RmVector* out, const RmVector* a, const RmVector* b);
float RmVectorDotProduct(const RmVector* a, const RmVector* b);
float RmVectorModulus(const RmVector* v);
// Unit length in place; a zero vector becomes (0, 0, 1), the direction a new frame faces.
RmVector* RmVectorNormalize(RmVector* v);

// The rotation by theta radians about axis (normalised here).
RmQuaternion* RmQuaternionFromRotation(RmQuaternion* out, const RmVector* axis, float theta);
// The rotation matrix of a unit quaternion, translation zero. A rotation by +90 degrees about
// the y axis turns the -z direction to +x.
void RmMatrixFromQuaternion(RmMatrix4& out, const RmQuaternion* q);

// a * b: transforming by the result applies a first, then b.
RmMatrix4 RmMatrixMultiply(const RmMatrix4& a, const RmMatrix4& b);
// The inverse of an affine matrix (last column 0, 0, 0, 1); identity when it is singular.
RmMatrix4 RmMatrixInverse(const RmMatrix4& a);
RmVector RmTransformPoint(const RmVector& p, const RmMatrix4& m);
// Rotation and scale only, no translation.
RmVector RmTransformDirection(const RmVector& d, const RmMatrix4& m);

}  // namespace platform
