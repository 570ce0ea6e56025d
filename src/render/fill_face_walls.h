#pragma once
// Wall fillers of the cube-face path: per screen column the ray is met with the wall's
// plane in floating point, and the texture row is stepped down the column in 16.16.
// Texels are copied unshaded.
struct FaceRecord;

// The texture stretched once over the face's texture frame, clamped at its edges.
void FillWallColumnsFace(const FaceRecord* face);

// The texture repeated at two texels per world unit (power-of-two sizes).
void FillWallColumnsTiledFace(const FaceRecord* face);
