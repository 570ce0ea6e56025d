#include "platform/rm_viewport.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/faults.h"
#include "platform/rm_light.h"
#include "platform/rm_mesh.h"
#include "platform/rm_raster_detail.h"

namespace platform {

RmViewport* RmViewport::Create(RmDevice* device, RmFrame* camera, int32_t left, int32_t top,
                               int32_t width, int32_t height) {
    if (!device || !camera || width <= 0 || height <= 0 || left < 0 || top < 0 ||
        int64_t(left) + width > int64_t(device->GetWidth()) ||
        int64_t(top) + height > int64_t(device->GetHeight())) {
        return nullptr;
    }
    return new RmViewport(device, camera, left, top, width, height);
}

RmViewport::RmViewport(RmDevice* device, RmFrame* camera, int32_t left, int32_t top, int32_t width,
                       int32_t height)
    : device_(device), camera_(camera), left_(left), top_(top), width_(width), height_(height) {}

RmViewport::~RmViewport() = default;

HResult RmViewport::SetBack(float distance) {
    if (HResult fault = TakeFault("SetBack")) return fault;
    if (!(distance > Front) || !std::isfinite(distance)) return D3DRMERR_BADVALUE;
    back_ = distance;
    return D3DRM_OK;
}

HResult RmViewport::SetPlane(float left, float right, float bottom, float top) {
    if (HResult fault = TakeFault("SetPlane")) return fault;
    if (!(left < right) || !(bottom < top) || !std::isfinite(right - left) ||
        !std::isfinite(top - bottom)) {
        return D3DRMERR_BADVALUE;
    }
    planeLeft_ = left, planeRight_ = right, planeBottom_ = bottom, planeTop_ = top;
    return D3DRM_OK;
}

HResult RmViewport::SetUniformScaling(bool uniform) {
    uniform_ = uniform;
    return D3DRM_OK;
}

RmViewport::Projection RmViewport::CurrentProjection() const {
    Projection p;
    p.centreX = float(left_ + (width_ >> 1));
    p.centreY = float(top_ + (height_ >> 1));
    p.planeX = (planeLeft_ + planeRight_) * 0.5f;
    p.planeY = (planeBottom_ + planeTop_) * 0.5f;
    p.scaleX = float(width_) / (planeRight_ - planeLeft_);
    p.scaleY = float(height_) / (planeTop_ - planeBottom_);
    if (uniform_) p.scaleX = p.scaleY = std::max(p.scaleX, p.scaleY);
    return p;
}

HResult RmViewport::Transform(const RmVector& world, RmVector* screen) const {
    RmVector v = RmTransformPoint(world, RmMatrixInverse(camera_->WorldTransform()));
    if (!(v.z >= Front)) return D3DRMERR_BADVALUE;
    Projection p = CurrentProjection();
    screen->x = p.centreX + (v.x * Front / v.z - p.planeX) * p.scaleX;
    screen->y = p.centreY - (v.y * Front / v.z - p.planeY) * p.scaleY;
    screen->z = v.z;
    return D3DRM_OK;
}

HResult RmViewport::Clear() {
    if (HResult fault = TakeFault("Clear")) return fault;
    RmTarget t;
    if (!device_->BeginDrawing(t)) return D3DRMERR_BADDEVICE;
    uint8_t black = device_->PaletteMap().Lookup(0, 0, 0);
    for (int32_t j = top_; j < top_ + height_; ++j)
        std::fill_n(t.pixels + ptrdiff_t(j) * t.pitch + left_, width_, black);
    const Rect area{left_, top_, left_ + width_, top_ + height_};
    device_->ClearDepth(area);
    device_->AddDrawn(area, 0, 0);
    return D3DRM_OK;
}

void RmViewport::CollectLights(const RmFrame* frame) {
    for (const auto& light : frame->Lights()) {
        LightInfo info{light->GetType() == D3DRMLIGHT_DIRECTIONAL, light->Color(), {}};
        if (info.directional) {
            RmMatrix4 w = frame->WorldTransform();
            info.direction = {w.m[2][0], w.m[2][1], w.m[2][2]};
            RmVectorNormalize(&info.direction);
        }
        lights_.push_back(info);
    }
    for (const auto& child : frame->Children()) CollectLights(child.get());
}

HResult RmViewport::Render(RmFrame* frame, const Rect* clip) {
    if (!frame) return D3DRMERR_BADOBJECT;
    const auto started = std::chrono::steady_clock::now();
    RmTarget t;
    if (!device_->BeginDrawing(t)) return D3DRMERR_BADDEVICE;

    const RmFrame* root = camera_.get();
    while (root->GetParent()) root = root->GetParent();
    lights_.clear();
    CollectLights(root);

    RmMatrix4 cameraWorld = camera_->WorldTransform();
    RmMatrix4 view = RmMatrixInverse(cameraWorld);
    RmVector eye{cameraWorld.m[3][0], cameraWorld.m[3][1], cameraWorld.m[3][2]};

    RmRasterTarget target;
    target.pixels = t.pixels;
    target.pitch = t.pitch;
    target.depth = device_->Depth();
    target.depthPitch = t.width;
    target.clip = {left_, top_, left_ + width_, top_ + height_};
    if (clip) {
        target.clip.left = std::max(target.clip.left, clip->left);
        target.clip.top = std::max(target.clip.top, clip->top);
        target.clip.right = std::min(target.clip.right, clip->right);
        target.clip.bottom = std::min(target.clip.bottom, clip->bottom);
        if (target.clip.left >= target.clip.right || target.clip.top >= target.clip.bottom) {
            return D3DRM_OK;
        }
    }
    target.palette = &device_->PaletteMap();

    RmRasterStats stats;
    uint64_t triangles = 0;
    RenderFrame(frame, frame->WorldTransform(), view, eye, target, CurrentProjection(), stats,
                triangles);
    const auto spent = std::chrono::steady_clock::now() - started;
    device_->AddDepthDrawn(stats.bounds);
    device_->AddDrawn(
        stats.bounds, triangles,
        uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count()));
    return D3DRM_OK;
}

namespace {

RmMatrix4 NormalMatrix(const RmMatrix4& world) {
    RmMatrix4 linear = world;
    linear.m[3][0] = linear.m[3][1] = linear.m[3][2] = 0.0f;
    RmMatrix4 inv = RmMatrixInverse(linear), out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) out.m[i][j] = inv.m[j][i];
    }
    return out;
}

float Clamp01(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

}  // namespace

void RmViewport::RenderFrame(const RmFrame* frame, const RmMatrix4& world, const RmMatrix4& view,
                             const RmVector& eye, const RmRasterTarget& target, const Projection& p,
                             RmRasterStats& stats, uint64_t& triangles) {
    uint32_t quality = device_->GetQuality();
    bool lit = (quality & D3DRMLIGHT_MASK) == D3DRMLIGHT_ON;
    bool flat = (quality & D3DRMSHADE_MASK) == D3DRMSHADE_FLAT;
    bool fromFrame = frame->MaterialMode() == D3DRMMATERIAL_FROMFRAME;

    if (!frame->Visuals().empty()) {
        RmMatrix4 modelView = RmMatrixMultiply(world, view);
        RmMatrix4 normalMatrix = NormalMatrix(world);
        for (const auto& visual : frame->Visuals()) {
            const RmGeometry& g = visual->Geometry();
            viewPositions_.resize(g.positions.size());
            for (size_t i = 0; i < g.positions.size(); ++i) {
                viewPositions_[i] = RmTransformPoint(g.positions[i], modelView);
            }
            // Without a highlight a corner's light depends on its normal alone: each normal is
            // lit once for the faces that share it.
            litNormals_.assign(g.normals.size(), LitNormal{});
            for (const auto& facePtr : g.faces) {
                const RmFace& face = *facePtr;
                const auto& corners = face.Corners();
                // Newell's normal in view space; the face is seen when it turns towards the eye.
                RmVector n{};
                for (size_t i = 0; i < corners.size(); ++i) {
                    const RmVector& c = viewPositions_[corners[i].vertex];
                    const RmVector& d =
                        viewPositions_[corners[i + 1 < corners.size() ? i + 1 : 0].vertex];
                    n.x += (c.y - d.y) * (c.z + d.z);
                    n.y += (c.z - d.z) * (c.x + d.x);
                    n.z += (c.x - d.x) * (c.y + d.y);
                }
                const RmVector& first = viewPositions_[corners[0].vertex];
                if (!(RmVectorDotProduct(&n, &first) < 0.0f)) continue;

                RmColor color = fromFrame ? frame->Color() : face.Color();
                const RmMaterial* material = fromFrame ? nullptr : face.Material();
                RmRgb specular = material ? material->Specular() : RmRgb{};
                bool hasSpecular =
                    lit && (specular.red > 0 || specular.green > 0 || specular.blue > 0);

                RmRasterFace rf;
                rf.texture = face.Texture();
                rf.red = float((color >> 16) & 0xFF);
                rf.green = float((color >> 8) & 0xFF);
                rf.blue = float(color & 0xFF);
                rf.specular = hasSpecular;

                polygon_.clear();
                for (const auto& corner : corners) {
                    ClipVertex cv{};
                    const RmVector& pv = viewPositions_[corner.vertex];
                    cv.x = pv.x, cv.y = pv.y, cv.z = pv.z;
                    cv.u = g.texCoords[corner.vertex].u;
                    cv.v = g.texCoords[corner.vertex].v;
                    if (!lit) {
                        cv.r = cv.g = cv.b = 1.0f;
                    } else if (flat && !polygon_.empty()) {
                        const ClipVertex& f = polygon_.front();
                        cv.r = f.r, cv.g = f.g, cv.b = f.b, cv.sr = f.sr, cv.sg = f.sg,
                        cv.sb = f.sb;
                    } else if (!hasSpecular && litNormals_[corner.normal].done) {
                        const LitNormal& known = litNormals_[corner.normal];
                        cv.r = known.r, cv.g = known.g, cv.b = known.b;
                    } else {
                        RmVector normal =
                            RmTransformDirection(g.normals[corner.normal], normalMatrix);
                        RmVectorNormalize(&normal);
                        RmVector toEye{};
                        if (hasSpecular) {
                            RmVector pw = RmTransformPoint(g.positions[corner.vertex], world);
                            RmVectorSubtract(&toEye, &eye, &pw);
                            RmVectorNormalize(&toEye);
                        }
                        float r = 0, gr = 0, b = 0, sr = 0, sg = 0, sb = 0;
                        for (const LightInfo& light : lights_) {
                            float amount = 1.0f;
                            if (light.directional) {
                                amount = -RmVectorDotProduct(&normal, &light.direction);
                                if (amount <= 0.0f) continue;
                                if (hasSpecular) {
                                    RmVector half{toEye.x - light.direction.x,
                                                  toEye.y - light.direction.y,
                                                  toEye.z - light.direction.z};
                                    RmVectorNormalize(&half);
                                    float h = RmVectorDotProduct(&normal, &half);
                                    if (h > 0.0f) {
                                        float k = std::pow(h, material->GetPower());
                                        sr += k * specular.red * light.color.red;
                                        sg += k * specular.green * light.color.green;
                                        sb += k * specular.blue * light.color.blue;
                                    }
                                }
                            }
                            r += amount * light.color.red;
                            gr += amount * light.color.green;
                            b += amount * light.color.blue;
                        }
                        cv.r = Clamp01(r), cv.g = Clamp01(gr), cv.b = Clamp01(b);
                        cv.sr = Clamp01(sr), cv.sg = Clamp01(sg), cv.sb = Clamp01(sb);
                        if (!hasSpecular) litNormals_[corner.normal] = {cv.r, cv.g, cv.b, true};
                    }
                    polygon_.push_back(cv);
                }
                DrawPolygon(polygon_, rf, target, p, stats, triangles);
            }
        }
    }

    for (const auto& child : frame->Children()) {
        RmMatrix4 childTransform;
        child->GetTransform(childTransform);
        RenderFrame(child.get(), RmMatrixMultiply(childTransform, world), view, eye, target, p,
                    stats, triangles);
    }
}

void RmViewport::DrawPolygon(std::vector<ClipVertex>& polygon, const RmRasterFace& face,
                             const RmRasterTarget& target, const Projection& p,
                             RmRasterStats& stats, uint64_t& triangles) {
    // Clip in view space against the front and back distances and, a pixel outside the
    // rectangle, the four sides; each plane keeps a * x + b * y + c * z + d >= 0.
    const float guardL = float(target.clip.left) - 1.0f, guardR = float(target.clip.right) + 1.0f;
    const float guardT = float(target.clip.top) - 1.0f, guardB = float(target.clip.bottom) + 1.0f;
    const float planes[6][4] = {
        {0, 0, 1, -Front},
        {0, 0, -1, back_},
        {Front * p.scaleX, 0, p.centreX - p.planeX * p.scaleX - guardL, 0},
        {-Front * p.scaleX, 0, guardR - p.centreX + p.planeX * p.scaleX, 0},
        {0, -Front * p.scaleY, p.centreY + p.planeY * p.scaleY - guardT, 0},
        {0, Front * p.scaleY, guardB - p.centreY - p.planeY * p.scaleY, 0},
    };
    std::vector<ClipVertex>* in = &polygon;
    std::vector<ClipVertex>* out = &clipped_;
    // A polygon inside every plane is kept as it is.
    bool inside = true;
    for (const ClipVertex& a : polygon) {
        for (const auto& pl : planes)
            inside &= pl[0] * a.x + pl[1] * a.y + pl[2] * a.z + pl[3] >= 0;
    }
    for (const auto& pl : planes) {
        if (inside) break;
        out->clear();
        size_t n = in->size();
        for (size_t i = 0; i < n; ++i) {
            const ClipVertex& a = (*in)[i];
            const ClipVertex& b = (*in)[(i + 1) % n];
            float da = pl[0] * a.x + pl[1] * a.y + pl[2] * a.z + pl[3];
            float db = pl[0] * b.x + pl[1] * b.y + pl[2] * b.z + pl[3];
            if (da >= 0) out->push_back(a);
            if ((da >= 0) != (db >= 0)) {
                float t = da / (da - db);
                auto lerp = [t](float x, float y) { return x + (y - x) * t; };
                out->push_back({lerp(a.x, b.x), lerp(a.y, b.y), lerp(a.z, b.z), lerp(a.u, b.u),
                                lerp(a.v, b.v), lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b),
                                lerp(a.sr, b.sr), lerp(a.sg, b.sg), lerp(a.sb, b.sb)});
            }
        }
        std::swap(in, out);
        if (in->size() < 3) return;
    }

    std::vector<RmRasterVertex>& screen = screen_;
    screen.resize(in->size());
    for (size_t i = 0; i < in->size(); ++i) {
        const ClipVertex& c = (*in)[i];
        RmRasterVertex& s = screen[i];
        float invZ = 1.0f / c.z;
        s.x = p.centreX + (c.x * Front * invZ - p.planeX) * p.scaleX;
        s.y = p.centreY - (c.y * Front * invZ - p.planeY) * p.scaleY;
        s.invZ = invZ;
        s.uOverZ = c.u * invZ;
        s.vOverZ = c.v * invZ;
        s.red = c.r, s.green = c.g, s.blue = c.b;
        s.specRed = c.sr, s.specGreen = c.sg, s.specBlue = c.sb;
    }
    for (size_t i = 1; i + 1 < screen.size(); ++i) {
        RmRasterTriangle(target, face, screen[0], screen[i], screen[i + 1], stats);
    }
    triangles += screen.size() - 2;
}

}  // namespace platform
