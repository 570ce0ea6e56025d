#include "platform/rm_frame.h"

#include <algorithm>

#include "platform/faults.h"

#include "platform/rm_light.h"
#include "platform/rm_mesh.h"

namespace platform {

RmFrame* RmFrame::Create(RmFrame* parent) {
    auto* frame = new RmFrame();
    if (parent) {
        frame->parent_ = parent;
        parent->children_.emplace_back(frame);
    }
    return frame;
}

HResult RmFrame::DeleteChild(RmFrame* child) {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [child](const RmRef<RmFrame>& c) { return c.get() == child; });
    if (it == children_.end()) return D3DRMERR_NOTFOUND;
    child->parent_ = nullptr;
    children_.erase(it);
    return D3DRM_OK;
}

RmFrame::~RmFrame() {
    for (auto& child : children_) child->parent_ = nullptr;
}

namespace {
RmMatrix4 Combine(RmCombineType combine, const RmMatrix4& own, const RmMatrix4& added) {
    switch (combine) {
        case D3DRMCOMBINE_BEFORE: return RmMatrixMultiply(added, own);
        case D3DRMCOMBINE_AFTER: return RmMatrixMultiply(own, added);
        case D3DRMCOMBINE_REPLACE: break;
    }
    return added;
}

bool ValidCombine(RmCombineType combine) {
    return combine == D3DRMCOMBINE_REPLACE || combine == D3DRMCOMBINE_BEFORE ||
           combine == D3DRMCOMBINE_AFTER;
}
}  // namespace

HResult RmFrame::AddTransform(RmCombineType combine, const RmMatrix4& matrix) {
    if (!ValidCombine(combine)) return D3DRMERR_BADVALUE;
    transform_ = Combine(combine, transform_, matrix);
    return D3DRM_OK;
}

HResult RmFrame::GetTransform(RmMatrix4& out) const {
    out = transform_;
    return D3DRM_OK;
}

HResult RmFrame::AddScale(RmCombineType combine, float sx, float sy, float sz) {
    RmMatrix4 s;
    s.m[0][0] = sx;
    s.m[1][1] = sy;
    s.m[2][2] = sz;
    return AddTransform(combine, s);
}

RmMatrix4 RmFrame::WorldTransform() const {
    RmMatrix4 world = transform_;
    for (const RmFrame* f = parent_; f; f = f->parent_)
        world = RmMatrixMultiply(world, f->transform_);
    return world;
}

namespace {
RmMatrix4 WorldOf(const RmFrame* frame) { return frame ? frame->WorldTransform() : RmMatrix4{}; }
}  // namespace

HResult RmFrame::SetPosition(RmFrame* reference, float x, float y, float z) {
    if (HResult fault = TakeFault("SetPosition")) return fault;
    RmVector world = RmTransformPoint({x, y, z}, WorldOf(reference));
    RmVector local = RmTransformPoint(world, RmMatrixInverse(WorldOf(parent_)));
    transform_.m[3][0] = local.x;
    transform_.m[3][1] = local.y;
    transform_.m[3][2] = local.z;
    return D3DRM_OK;
}

HResult RmFrame::GetPosition(RmFrame* reference, RmVector* out) const {
    RmMatrix4 world = WorldTransform();
    RmVector origin{world.m[3][0], world.m[3][1], world.m[3][2]};
    *out = RmTransformPoint(origin, RmMatrixInverse(WorldOf(reference)));
    return D3DRM_OK;
}

HResult RmFrame::SetOrientation(RmFrame* reference, float dx, float dy, float dz, float ux,
                                float uy, float uz) {
    RmMatrix4 ref = WorldOf(reference);
    RmVector z = RmTransformDirection({dx, dy, dz}, ref);
    if (!(RmVectorModulus(&z) > 0.0f)) return D3DRMERR_BADVALUE;
    RmVectorNormalize(&z);
    RmVector up = RmTransformDirection({ux, uy, uz}, ref);

    // y: the part of up at right angles to z; another axis when nothing of it is left.
    auto orthogonal = [&z](RmVector u) {
        float d = RmVectorDotProduct(&u, &z);
        return RmVector{u.x - d * z.x, u.y - d * z.y, u.z - d * z.z};
    };
    RmVector y = orthogonal(up);
    if (RmVectorModulus(&y) < 1e-6f * std::max(1.0f, RmVectorModulus(&up))) {
        y = orthogonal({0.0f, 1.0f, 0.0f});
        if (RmVectorModulus(&y) < 1e-3f) y = orthogonal({0.0f, 0.0f, 1.0f});
    }
    RmVectorNormalize(&y);
    RmVector x;
    RmVectorCrossProduct(&x, &y, &z);

    RmMatrix4 world;
    world.m[0][0] = x.x, world.m[0][1] = x.y, world.m[0][2] = x.z;
    world.m[1][0] = y.x, world.m[1][1] = y.y, world.m[1][2] = y.z;
    world.m[2][0] = z.x, world.m[2][1] = z.y, world.m[2][2] = z.z;
    RmMatrix4 local = RmMatrixMultiply(world, RmMatrixInverse(WorldOf(parent_)));
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) transform_.m[i][j] = local.m[i][j];
    }
    return D3DRM_OK;
}

HResult RmFrame::AddVisual(RmVisual* visual) {
    if (!visual) return D3DRMERR_BADOBJECT;
    visuals_.emplace_back(visual);
    return D3DRM_OK;
}

HResult RmFrame::DeleteVisual(RmVisual* visual) {
    auto it = std::find_if(visuals_.begin(), visuals_.end(),
                           [visual](const RmRef<RmVisual>& v) { return v.get() == visual; });
    if (it == visuals_.end()) return D3DRMERR_NOTFOUND;
    visuals_.erase(it);
    return D3DRM_OK;
}

HResult RmFrame::AddLight(RmLight* light) {
    if (HResult fault = TakeFault("AddLight")) return fault;
    if (!light) return D3DRMERR_BADOBJECT;
    lights_.emplace_back(light);
    return D3DRM_OK;
}

HResult RmFrame::SetColor(RmColor color) {
    color_ = color;
    return D3DRM_OK;
}

HResult RmFrame::SetMaterialMode(RmMaterialMode mode) {
    if (mode != D3DRMMATERIAL_FROMMESH && mode != D3DRMMATERIAL_FROMFRAME) return D3DRMERR_BADVALUE;
    materialMode_ = mode;
    return D3DRM_OK;
}

}  // namespace platform
