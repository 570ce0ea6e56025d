#pragma once
// The geometry of keeping the player off a wall: distances from a side's plane and the slide
// that ends a step exactly WallDistance from it.
#include "base/fixed.h"

// Distance of the player from the vertical plane through corner with normal n (x and z only).
Fixed16 PlayerDistanceFromPlane(const FixedVector& corner, const FixedVector& n);

// The step's component along n (x and z only).
Fixed16 StepAlongNormal(const FixedVector& step, const FixedVector& n);

// Keeps the step's part along the plane and puts its end WallDistance from the plane, given the
// player's distance from it.
void SlideStep(FixedVector& step, const FixedVector& n, Fixed16 distance);
