#pragma once
// The polygon pipeline: load, clip to the view frustum (lighting the vertices), project,
// clip to the clip rectangle, and walk the edges into the per-column or per-row edge tables.
//
// For one polygon: LoadPolygonVertices, TransformPolygon (ViewPolygon), ClipPolygonToFrustum
// (ViewPolygon -> WorkingPolygon) and, if it passes, ProjectPolygon (WorkingPolygon) and
// ClipPolygonToRect (WorkingPolygon -> ViewPolygon) and, if that passes, an edge scan of
// ViewPolygon. A filler then consumes the edge tables and empties their range.
#include "render/render_state.h"

// Copies `count` world points (at most PolygonCapacity) into WorkingPolygon; lights stay as they
// are.
void LoadPolygonVertices(const FixedVector* vertices, int count);

// Frustum outcode of a view vertex (near, left, right, top, bottom).
int FrustumOutcode(const PolygonVertex& v);

// Clips `count` view vertices of `in` into `out` against the near plane (z = 1.0) and the
// four sides x = +-z, y = +-z. Lights the vertices first while VertexLightingOn is set.
// Sets RenderStatus; false when nothing is left.
bool ClipPolygonToFrustum(PolygonVertex* in, PolygonVertex* out, int& count);

// x and y to Fixed16 screen pixels relative to the view centre, in place; z is kept.
void ProjectPolygon(PolygonVertex* polygon, int count);

// Clips projected vertices against the clip rectangle (inclusive). Sets RenderStatus;
// false when nothing is left.
bool ClipPolygonToRect(const PolygonVertex* in, PolygonVertex* out, int& count);

// Walk every edge of a projected polygon into the edge tables: by screen column
// (walls: minor coordinate the row) or by screen row (floors: minor coordinate the column).
void ScanWallEdges(const PolygonVertex* polygon, int count);
void ScanFloorEdges(const PolygonVertex* polygon, int count);

// The screen rectangle of a room exit seen through the clip in force: true with `rect`
// set, false when the exit cannot be seen. Leaves vertex lighting on and the edge range empty.
bool GetScreenRect(const FixedVector corners[4], ScreenRect& rect);

// Fills the scanned rows (floor path) with one palette index and empties the range.
void FillSpans(uint8_t colour);
