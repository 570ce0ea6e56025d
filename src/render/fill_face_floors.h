#pragma once
// Floor and ceiling fillers of the cube-face path, one screen row at a time.
#include "render/fill_world_floor.h"

struct FaceRecord;

// The texture stretched once over the face's texture frame (floating point per row
// end, 16.16 between), clamped at its edges; texels copied unshaded.
void FillFloorSpansFace(const FaceRecord* face);

// Tiled faces share the quad path's world-anchored fillers: DrawFace leaves their
// inputs (ViewCorners, ViewPlaneNormal, the offsets) in the same globals.
inline void FillFloorSpansRotatedFace() { FillFloorSpansRotated(); }
inline void FillFloorSpansAlignedFace() { FillFloorSpansAligned(); }
