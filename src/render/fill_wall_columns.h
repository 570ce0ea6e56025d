#pragma once
// Wall column fillers of the textured-quad path: the edge-scanned polygon is painted
// one screen column at a time from the current wall texture (stored column by column).

// Maps the texture once over the quad: texture column in perspective per screen
// column, texture row stepped down the column, one light level per column.
// Light-map, transparent, translucent and opaque texels.
void FillWallColumns();

// Repeats the texture at two texels per world unit across and down, stepping the
// light per pixel; opaque and transparent texels.
void FillWallColumnsTiled();
