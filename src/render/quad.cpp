#include "render/quad.h"

#include "base/wrap.h"
#include "render/bitmap.h"
#include "render/fill_floor_spans.h"
#include "render/fill_wall_columns.h"
#include "render/fill_world_floor.h"
#include "render/lighting.h"
#include "render/polygon.h"
#include "render/view.h"

namespace {

TextureSource SourceOf(const Bitmap* bitmap) {
    return {bitmap, bitmap->Pixels(), static_cast<uint16_t>(bitmap->height - 1),
            static_cast<uint16_t>(bitmap->width - 1)};
}

// Loads, transforms, clips (lighting the corners) and projects the quad, leaving the clipped
// polygon in ViewPolygon; false when nothing of it is left to scan.
bool RunQuadPipeline(const QuadRecord* quad) {
    LoadPolygonVertices(quad->corners, 4);
    TransformPolygon();
    if (!ClipPolygonToFrustum(ViewPolygon, WorkingPolygon, PolygonCount)) {
        return false;
    }
    ProjectPolygon(WorkingPolygon, PolygonCount);
    return ClipPolygonToRect(WorkingPolygon, ViewPolygon, PolygonCount);
}

void Exchange(FixedVector& a, FixedVector& b) {
    const FixedVector t = a;
    a = b;
    b = t;
}

}  // namespace

bool DrawableBitmap(const Bitmap* bitmap) {
    return bitmap != nullptr && bitmap->width != 0 && bitmap->height != 0;
}

void SetColumnTexture(const Bitmap* bitmap) {
    WallTexture = SourceOf(bitmap);
    TextureRunLength = (bitmap->flags & BitmapRunLength) != 0 ? 1 : 0;
}

void SetRowTexture(const Bitmap* bitmap) {
    FloorTexture = SourceOf(bitmap);
    TextureRunLength = (bitmap->flags & BitmapRunLength) != 0 ? 1 : 0;
}

int DrawTexturedQuad(const QuadRecord* quad) {
    const Bitmap* bitmap = quad->bitmap;
    if (!DrawableBitmap(bitmap)) {
        return 0;
    }
    // The plane normal turned into view space by rotation alone.
    FixedVector n;
    PlaneNormal(quad->corners[0], quad->corners[1], quad->corners[3], n);
    ViewPlaneNormal =
        TransformToView(WrapAdd(CameraX, n.x), WrapAdd(CameraY, n.y), WrapAdd(CameraZ, n.z));

    CurrentFaceFlags = quad->flags;
    Brightness = quad->brightness;
    TextureOffsetU = quad->offsetU;
    TextureOffsetV = quad->offsetV;
    TextureTransparent = (bitmap->flags & BitmapTransparent) != 0 ? 1 : 0;
    if ((bitmap->flags & BitmapColumnMajor) != 0) {
        SetColumnTexture(bitmap);
        TextureLightMap = (bitmap->flags & BitmapLightMap) != 0 ? 1 : 0;
        const FixedVector& c0 = quad->corners[0];
        const FixedVector& c1 = quad->corners[1];
        WallLengthUnits = static_cast<int16_t>(Distance2D(c0.x, c0.z, c1.x, c1.z) >> 16);
        DrawWallQuad(quad);
    } else {
        SetRowTexture(bitmap);
        DrawFloorQuad(quad);
    }
    return RenderStatus;
}

void DrawWallQuad(const QuadRecord* quad) {
    if (RunQuadPipeline(quad)) {
        ScanWallEdges(ViewPolygon, PolygonCount);
    }
    // Mirroring exchanges the corners the fillers map the texture from, scanned or not.
    if ((quad->flags & FaceMirrorFirstEdge) != 0) {
        Exchange(ViewCorners[0], ViewCorners[1]);
        Exchange(ViewCorners[2], ViewCorners[3]);
    }
    if ((quad->flags & FaceMirrorSecondEdge) != 0) {
        Exchange(ViewCorners[0], ViewCorners[3]);
        Exchange(ViewCorners[1], ViewCorners[2]);
    }
    // With nothing scanned the filler finds the edge range empty and draws nothing.
    if ((quad->flags & FaceWorldAnchored) != 0) {
        FillWallColumnsTiled();
    } else {
        FillWallColumns();
    }
}

void DrawFloorQuad(const QuadRecord* quad) {
    if (RunQuadPipeline(quad)) {
        ScanFloorEdges(ViewPolygon, PolygonCount);
    }
    if ((quad->flags & FaceWorldAnchored) == 0) {
        FillFloorSpans();
    } else if ((quad->flags & FaceAligned) != 0) {
        FillFloorSpansAligned();
    } else {
        FillFloorSpansRotated();
    }
}
