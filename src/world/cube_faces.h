#pragma once
// A cube's faces one at a time: which of them have something to draw, the corner order of a
// floor on its slope, and the drawing of the ceiling, the floor and each side through the
// renderer with the face's texture, texture axes and flags. No facing test is made here.
#include <cstdint>

class Cube;

// How a floor is drawn: the corner order handed to the renderer and the face flags; false
// when the floor's shape is not drawn at all.
struct FloorShapeResult {
    int first;  // corners first, first + 1, ... (mod 4)
    uint8_t flags;
};
bool FloorShape(const Cube& cube, FloorShapeResult& shape);

// Whether face slot f has a texture.
bool Textured(const Cube& cube, int f);

// A side with a face: not degenerate, textured and of some height.
bool SideDrawn(const Cube& cube, int k);

// The ceiling, with the sloped flags when it is not level.
void DrawCeiling(const Cube& cube);

// The floor in the corner order and with the flags FloorShape gives; nothing when its shape
// is not drawn.
void DrawFloor(const Cube& cube);

// Side k, from its top corners down.
void DrawSide(const Cube& cube, int k);
