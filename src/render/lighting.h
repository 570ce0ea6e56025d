#pragma once
// Per-vertex lighting with a distance fade, plane normals, distances and the shade table.
#include <cstdint>

#include "render/render_state.h"

// One light as handed to SetLighting.
struct LightRecord {
    Fixed16 x;  // position, or for kind 0 a direction
    Fixed16 y;
    Fixed16 z;
    Fixed16 intensity;     // may be negative
    int32_t ownerId;       // the map object the light belongs to
    Angle16 coneAngle;     // 0 = no cone
    int16_t range;         // -1 = no falloff
    uint8_t falloffStart;  // whole world units
    uint8_t kind;          // 0 directional, 2 upward cone, 3 downward cone, 4 horizontal cone,
                           // other values point lights; bit 0x40: not faded by distance
};

constexpr uint8_t LightDirectional = 0;
constexpr uint8_t LightUpwardCone = 2;
constexpr uint8_t LightDownwardCone = 3;
constexpr uint8_t LightHorizontalCone = 4;
constexpr uint8_t LightUnfaded = 0x40;

// The owner id of sprites that belong to no light.
constexpr int32_t NoLightOwner = 9999;

extern LightRecord LightTable[LightTableCapacity];  // in view space
extern int LightCount;
extern Fixed16 AmbientLight;
extern Fixed16 FadeNear;   // light is full up to this distance
extern Fixed16 FadeRange;  // and falls to 0 over this one

// Copies the lights (at most LightTableCapacity) and turns them into the view space of the
// camera set up last.
void SetLighting(Fixed16 fadeNear, Fixed16 fadeRange, Fixed16 ambient, int count,
                 const LightRecord* lights);

// The light level (0..63.0) of a view-space vertex, also stored in its light field.
Fixed16 LightVertex(PolygonVertex& v);
// The same for a sprite corner: a light owned by `ownerId` adds its intensity unchanged.
Fixed16 LightSpriteVertex(PolygonVertex& v, int32_t ownerId);

// 1 when the light's cone reaches the view-space point.
int LightReachesPoint(const LightRecord& light, const PolygonVertex& point);

// Unit normal of the plane through three world points; a degenerate plane gives (0, 0, 0).
void PlaneNormal(const FixedVector& p0, const FixedVector& p1, const FixedVector& p2,
                 FixedVector& out);

// Euclidean distance between (x0, z0) and (x1, z1), rounded to nearest (ties to even).
Fixed16 Distance2D(Fixed16 x0, Fixed16 z0, Fixed16 x1, Fixed16 z1);

// Points ShadeTable at a 256-byte boundary of its buffer and fills it with the identity.
void InitShadeTable();
