#pragma once
// Tables and limits of the software renderer.

// Per-column and per-row edge tables: the view may be at most this wide and high.
constexpr int EdgeTableSize = 640;

// The edge range is kept as twice the index (a byte offset into 16-bit tables);
// these reset values make it empty.
constexpr int EdgeRangeEmptyMin = 9999;
constexpr int EdgeRangeEmptyMax = -9999;

// Vertices of one polygon buffer (a quad gains at most one per clipping plane).
constexpr int PolygonCapacity = 20;

// Light levels (rows) and palette indices (columns) of the shade table; its buffer
// leaves room to start the table at a 256-byte boundary.
constexpr int ShadeLevels = 64;
constexpr int ShadeTableBufferSize = 16640;

// One decoded texture line, shared by the wall fillers and the sprite drawer.
constexpr int LineBufferSize = 640;

// Lights handed to SetLighting beyond this are ignored.
constexpr int LightTableCapacity = 16;

// Texture columns of the visible screen columns of one sprite.
constexpr int SpriteColumnMapSize = 640;

// Heights handed with the screen portal when the view binding switches it off.
constexpr int PortalOffBottom = -32000;
constexpr int PortalOffTop = 32000;
