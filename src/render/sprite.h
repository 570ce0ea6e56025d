#pragma once
// Billboard sprites: an upright rectangle facing the camera, anchored at a world point,
// scaled by its depth and textured with a row-major bitmap.
#include <cstdint>

#include "base/fixed.h"

struct Bitmap;

struct SpriteRecord {
    Fixed16 x;  // horizontal centre of the sprite, world
    Fixed16 y;  // bottom of the sprite (it extends upward), world
    Fixed16 z;
    uint8_t width;  // whole world units
    uint8_t height;
    uint8_t trimLeft;  // whole world units cut from each edge; the texture keeps its scale
    uint8_t trimTop;
    uint8_t trimRight;
    uint8_t trimBottom;
    uint8_t flags;
};

constexpr uint8_t SpriteTranslucent = 0x20;
constexpr uint8_t SpriteMirrorX = 0x40;
constexpr uint8_t SpriteMirrorY = 0x80;

// Shade-table row that the shadow texel (1) of a run-length coded sprite darkens to.
constexpr int SpriteShadowLevel = 47;
// How many levels below the row's light the shadow texel of an uncoded sprite darkens.
constexpr int SpriteShadowDrop = 16;

// Draws the sprite with the current ShadeTable, lit like a polygon facing the camera;
// lights owned by ownerId shine on it at full intensity. Returns the status word
// (RenderStatus): 0x01 alone when it is too near, 0x20 when something was drawn.
int DrawSprite(const SpriteRecord* sprite, const Bitmap* bitmap, int ownerId);
