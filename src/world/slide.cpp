#include "world/slide.h"

#include "base/wrap.h"
#include "world/limits.h"
#include "world/player.h"

Fixed16 PlayerDistanceFromPlane(const FixedVector& corner, const FixedVector& n) {
    return WrapAdd(FixedMul(WrapSub(PlayerX, corner.x), n.x),
                   FixedMul(WrapSub(PlayerZ, corner.z), n.z));
}

Fixed16 StepAlongNormal(const FixedVector& step, const FixedVector& n) {
    return WrapAdd(FixedMul(step.x, n.x), FixedMul(step.z, n.z));
}

void SlideStep(FixedVector& step, const FixedVector& n, Fixed16 distance) {
    const Fixed16 gap = WrapSub(WallDistance, distance);
    const Fixed16 pushX = FixedMul(gap, n.x);
    const Fixed16 pushZ = FixedMul(gap, n.z);
    const Fixed16 along = WrapAdd(FixedMul(step.x, WrapSub(0, n.z)), FixedMul(step.z, n.x));
    step.x = WrapAdd(FixedMul(along, WrapSub(0, n.z)), pushX);
    step.y = 0;
    step.z = WrapAdd(FixedMul(along, n.x), pushZ);
}
