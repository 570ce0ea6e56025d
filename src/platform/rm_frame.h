// Frames: the nodes of the scene graph. Each frame has a transform relative to its parent, and
// carries visuals (meshes) and lights. A parent holds a reference to each child, so a child lives
// as long as its parent even when every other reference to it has been released.
#pragma once
#include <vector>

#include "platform/rm_math.h"
#include "platform/rm_ref.h"
#include "platform/rm_types.h"
#include "platform/types.h"

namespace platform {

class RmVisual;
class RmLight;

class RmFrame : public RefCounted {
public:
    // A frame under `parent` (null: a root) with the identity transform. The caller owns the
    // one reference returned.
    static RmFrame* Create(RmFrame* parent);

    RmFrame* GetParent() const { return parent_; }  // no reference taken
    const std::vector<RmRef<RmFrame>>& Children() const { return children_; }
    // Takes a child off this frame: it becomes a root, and the parent's reference to it is
    // given up. D3DRMERR_NOTFOUND when it is not a child of this frame.
    HResult DeleteChild(RmFrame* child);

    // The transform relative to the parent.
    HResult AddTransform(RmCombineType combine, const RmMatrix4& matrix);
    HResult GetTransform(RmMatrix4& out) const;
    HResult AddScale(RmCombineType combine, float sx, float sy, float sz);

    // Position of the frame's origin in the coordinates of `reference` (null: the root's).
    HResult SetPosition(RmFrame* reference, float x, float y, float z);
    HResult GetPosition(RmFrame* reference, RmVector* out) const;
    // Turns the frame so that its +z axis points along `direction` and its +y axis as near `up`
    // as possible, both given in the coordinates of `reference`; the position is kept and the
    // frame's own scale is dropped. An up vector that is zero or parallel to the direction is
    // replaced by another axis. D3DRMERR_BADVALUE (nothing changed) for a zero direction.
    HResult SetOrientation(RmFrame* reference, float dx, float dy, float dz, float ux, float uy,
                           float uz);

    // The transform from this frame's coordinates to the root's.
    RmMatrix4 WorldTransform() const;

    HResult AddVisual(RmVisual* visual);
    // D3DRMERR_NOTFOUND when the visual is not on this frame.
    HResult DeleteVisual(RmVisual* visual);
    const std::vector<RmRef<RmVisual>>& Visuals() const { return visuals_; }

    HResult AddLight(RmLight* light);
    const std::vector<RmRef<RmLight>>& Lights() const { return lights_; }

    // Colour and material mode for the frame's own visuals: with D3DRMMATERIAL_FROMFRAME every
    // face of them takes the frame's colour in place of its own.
    HResult SetColor(RmColor color);
    HResult SetMaterialMode(RmMaterialMode mode);
    RmColor Color() const { return color_; }
    RmMaterialMode MaterialMode() const { return materialMode_; }

protected:
    ~RmFrame() override;

private:
    RmFrame() = default;

    RmFrame* parent_ = nullptr;
    std::vector<RmRef<RmFrame>> children_;
    std::vector<RmRef<RmVisual>> visuals_;
    std::vector<RmRef<RmLight>> lights_;
    RmMatrix4 transform_;
    RmColor color_ = 0xFFFFFFFFu;
    RmMaterialMode materialMode_ = D3DRMMATERIAL_FROMMESH;
};

}  // namespace platform
