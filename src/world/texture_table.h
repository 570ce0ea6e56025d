#pragma once
// The level's textures, cut from BMP sheets by the cube-file reader.
#include "world/limits.h"

struct Bitmap;

extern Bitmap* TextureTable[MaxTextures];
extern int TextureCount;

// The texture at a TextureTable index; null for an open face (-1) or an index past TextureCount.
Bitmap* TextureAt(int index);
