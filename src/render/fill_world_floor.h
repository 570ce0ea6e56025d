#pragma once
// World-anchored floor span fillers: a row-major texture repeated at two texels per
// world unit over a floor, ceiling or sloped polygon, painted one screen row at a time.
#include "base/fixed.h"

// The floor texture frame: the world point where the rotated texture has u = v = 0
// (before the texel offsets) and its world angle. Origin (0, 0), angle 0 until set.
extern Fixed16 FloorTextureOriginX;
extern Fixed16 FloorTextureOriginZ;
extern Angle16 FloorTextureAngle;

void SetFloorTextureFrame(Fixed16 x, Fixed16 z, Angle16 angle);

// Level floors and ceilings: the texture is fixed in the world by the floor texture
// frame, whatever the camera does. Opaque and transparent texels.
void FillFloorSpansRotated();

// Sloped polygons: u along the first edge (ViewCorners 0 to 1, taken horizontally),
// v across it in the plane of ViewPlaneNormal, anchored at corner 0. Texel 0 is drawn.
void FillFloorSpansAligned();
