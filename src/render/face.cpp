#include "render/face.h"

#include "base/wrap.h"
#include "render/bitmap.h"
#include "render/fill_face_floors.h"
#include "render/fill_face_walls.h"
#include "render/lighting.h"
#include "render/polygon.h"
#include "render/quad.h"
#include "render/view.h"

namespace {

bool SamePoint(const FixedVector& a, const FixedVector& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void ToView(FixedVector& p) { CameraTransformPoint(p.x, p.y, p.z, &p.x, &p.y, &p.z); }

void WriteViewNormal(FaceRecord* face) {
    face->viewNormal.x = static_cast<float>(ViewPlaneNormal.x / 65536.0);
    face->viewNormal.y = static_cast<float>(ViewPlaneNormal.y / 65536.0);
    face->viewNormal.z = static_cast<float>(ViewPlaneNormal.z / 65536.0);
}

}  // namespace

void DrawFace(FaceRecord* face) {
    const Bitmap* bitmap = face->bitmap;
    if (!DrawableBitmap(bitmap)) {
        return;
    }
    // A triangle repeats corner 0 as corner 3: its normal is that of the upright plane through
    // its first edge.
    const FixedVector* corners = face->corners;
    FixedVector third = corners[3];
    if (SamePoint(corners[3], corners[0])) {
        third.y = WrapAdd(third.y, FixedOne);
    }
    FixedVector n;
    PlaneNormal(corners[0], corners[1], third, n);
    // The normal turned into view space: rotated about the eye, its y negated.
    CameraTransformPoint(WrapAdd(CameraX, n.x), WrapAdd(CameraY, n.y), WrapAdd(CameraZ, n.z),
                         &ViewPlaneNormal.x, &ViewPlaneNormal.y, &ViewPlaneNormal.z);

    TextureOffsetV = face->vOffset;
    TextureOffsetU = face->uOffset;
    Brightness = face->brightness;
    TextureTransparent = (bitmap->flags & BitmapTransparent) != 0 ? 1 : 0;

    PolygonCount = 4;
    for (int i = 0; i < 4; ++i) {
        PolygonVertex& v = ViewPolygon[i];
        CameraTransformPoint(corners[i].x, corners[i].y, corners[i].z, &v.x, &v.y, &v.z);
        ViewCorners[i] = {v.x, v.y, v.z};
    }
    ToView(face->texOrigin);
    ToView(face->texUEnd);
    ToView(face->texVEnd);

    if (!ClipPolygonToFrustum(ViewPolygon, WorkingPolygon, PolygonCount)) {
        return;
    }
    ProjectPolygon(WorkingPolygon, PolygonCount);
    if (!ClipPolygonToRect(WorkingPolygon, ViewPolygon, PolygonCount)) {
        return;
    }

    if ((bitmap->flags & BitmapColumnMajor) != 0) {
        SetColumnTexture(bitmap);
        ScanWallEdges(ViewPolygon, PolygonCount);
        WriteViewNormal(face);
        if ((face->flags & FaceWorldAnchored) != 0) {
            FillWallColumnsTiledFace(face);
        } else {
            FillWallColumnsFace(face);
        }
        return;
    }
    SetRowTexture(bitmap);
    ScanFloorEdges(ViewPolygon, PolygonCount);
    if ((face->flags & FaceWorldAnchored) == 0) {
        WriteViewNormal(face);
        FillFloorSpansFace(face);
    } else if ((face->flags & FaceAligned) != 0) {
        ViewCorners[0] = face->texOrigin;
        ViewCorners[1] = face->texUEnd;
        FillFloorSpansAlignedFace();
    } else {
        FillFloorSpansRotatedFace();
    }
}
