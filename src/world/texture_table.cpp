// The level's textures.
#include "world/texture_table.h"

Bitmap* TextureTable[MaxTextures];
int TextureCount = 0;

Bitmap* TextureAt(int index) {
    return index >= 0 && index < TextureCount ? TextureTable[index] : nullptr;
}
