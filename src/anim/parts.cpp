#include "anim/parts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/materials.h"
#include "anim/messages.h"
#include "anim/motion_table.h"
#include "base/graphics_objects.h"
#include "platform/message_box.h"

AnimPart Part[MaxParts];
int NextPart = 0;
int CurrentPartIndex = 0;
int PendingMeshPart = NoPendingMesh;
int PartLevelStack[MaxMotionLevels];
MeshBuffers PendingMesh;

namespace {

// A part handed out and not refused: parts 0 to 254.
bool PartAccepted(int part) { return part >= 0 && part < NextPart && part < MaxParts - 1; }

void RefuseParts() {
    CurrentPartIndex = -1;
    platform::MessageBox(MsgExceedParts, AnimCaptionError);
}

// The frame new part frames hang under when no part of the file is above them.
platform::RmFrame* ObjectParentFrame() { return WorldFrame ? WorldFrame : SceneFrame; }

platform::RmFrame* ParentFrameAt(int level) {
    const int above = PartLevelStack[std::clamp(level - 1, 0, DeepestMotionLevel)];
    if (PartAccepted(above) && Part[above].frame) return Part[above].frame;
    const int root = PartLevelStack[0];
    if (PartAccepted(root) && Part[root].frame) return Part[root].frame;
    return ObjectParentFrame();
}

int FaceValue(float f) {
    if (std::isnan(f)) return 0;
    return static_cast<int>(std::clamp(f, -2147483648.0f, 2147483520.0f));
}

void ClearPendingMesh() {
    PendingMesh.vertexCount = 0;
    PendingMesh.normalCount = 0;
    PendingMesh.faceDataCount = 0;
    PendingMesh.texCoordCount = 0;
    PendingMesh.faceMaterialCount = 0;
    PendingMesh.textureMaterial = 0;
    PendingMesh.colourMaterial = 0;
}

std::vector<platform::RmVector> Triples(const float* values, int count) {
    std::vector<platform::RmVector> out(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) out[i] = {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
    return out;
}

void SetPendingTextureCoords(platform::RmMeshBuilder* builder) {
    for (int i = 0; i < PendingMesh.texCoordCount / 2; ++i) {
        builder->SetTextureCoordinates(static_cast<uint32_t>(i), PendingMesh.texCoords[2 * i],
                                       PendingMesh.texCoords[2 * i + 1]);
    }
}

}  // namespace

platform::RmFrame* PartFrame(int part) {
    return part >= 0 && part < MaxParts ? Part[part].frame : nullptr;
}

int NewPart() {
    if (PendingMeshPart >= 0) {
        BuildMesh(CurrentPartIndex);
        PendingMeshPart = NoPendingMesh;
    }
    if (PendingMeshPart == FileStartPending) {
        // The file's root part and its first object both need a place.
        if (NextPart + 2 >= MaxParts) {
            RefuseParts();
            return 0;
        }
        const int root = NextPart++;
        Part[root].frame = platform::RmFrame::Create(ObjectParentFrame());
        Part[root].frame->SetPosition(ObjectParentFrame(), 0.0f, 0.0f, 0.0f);
        std::fill(std::begin(PartLevelStack), std::end(PartLevelStack), -1);
        PartLevelStack[0] = root;
        CurrentPartIndex = NextPart++;
    }
    if (NextPart >= MaxParts) {
        RefuseParts();
        return 0;
    }
    PendingMeshPart = CurrentPartIndex;
    return 1;
}

int SetPartTransform(const float* numbers, int n) {
    const int part = CurrentPartIndex;
    if (!PartAccepted(part)) return -1;
    const int level = std::clamp(MotionLevel, 1, DeepestMotionLevel);
    platform::RmFrame* parent = ParentFrameAt(level);
    if (!Part[part].frame) Part[part].frame = platform::RmFrame::Create(parent);
    platform::RmMatrix4 m;
    for (int i = 0; i < 16 && i < n; ++i) m.m[i / 4][i % 4] = numbers[i];
    Part[part].frame->AddTransform(platform::D3DRMCOMBINE_REPLACE, m);
    PartLevelStack[level] = part;
    return part;
}

int SetVertices(const float* numbers, int n) {
    if (n <= 0 || n / 3 >= MeshBufferEntries) return 0;
    std::copy(numbers, numbers + (n / 3) * 3, PendingMesh.vertices);
    PendingMesh.vertexCount = n / 3;
    return 1;
}

int SetNormals(const float* numbers, int n) {
    if (n <= 0 || n / 3 >= MeshBufferEntries) return 0;
    std::copy(numbers, numbers + (n / 3) * 3, PendingMesh.normals);
    PendingMesh.normalCount = n / 3;
    return 1;
}

int SetFaces(const float* numbers, int n) {
    if (n <= 0 || n >= MeshBufferEntries) return 0;
    for (int i = 0; i < n; ++i)
        PendingMesh.faceData[i] = static_cast<uint32_t>(FaceValue(numbers[i]));
    PendingMesh.faceData[n] = 0;  // the list always ends, whatever the file gave
    PendingMesh.faceDataCount = n;
    return 1;
}

int SetTextureCoords(const float* numbers, int n) {
    if (n <= 0 || n >= MeshBufferEntries) return 0;
    std::copy(numbers, numbers + n, PendingMesh.texCoords);
    PendingMesh.texCoordCount = n;
    return 1;
}

int SetFaceMaterials(const char* const* words, int n) {
    if (n <= 0 || n >= MeshBufferEntries) return 0;
    for (int i = 0; i < n; ++i) PendingMesh.faceMaterials[i] = FindMaterial(words[i]);
    PendingMesh.faceMaterialCount = n;
    return 1;
}

int BuildMesh(int part) {
    if (PendingMesh.vertexCount > 0 && PendingMesh.normalCount > 0 &&
        PendingMesh.faceDataCount > 0 && PartAccepted(part)) {
        auto* builder = new platform::RmMeshBuilder();
        Part[part].meshBuilder = builder;
        const auto vertices = Triples(PendingMesh.vertices, PendingMesh.vertexCount);
        const auto normals = Triples(PendingMesh.normals, PendingMesh.normalCount);
        platform::RmFaceArray* faces = nullptr;
        builder->AddFaces(vertices.data(), static_cast<uint32_t>(vertices.size()), normals.data(),
                          static_cast<uint32_t>(normals.size()), PendingMesh.faceData,
                          static_cast<size_t>(PendingMesh.faceDataCount) + 1, &faces);
        const uint32_t faceCount = faces ? faces->GetSize() : 0;
        auto eachFace = [&](auto&& action) {
            for (uint32_t i = 0; i < faceCount; ++i) {
                platform::RmFace* face = nullptr;
                if (faces->GetElement(i, &face) != platform::D3DRM_OK || !face) continue;
                action(i, face);
                face->Release();
            }
        };
        if (PendingMesh.colourMaterial == 0) {
            if (PendingMesh.textureMaterial != 0) {
                builder->SetTexture(Material[PendingMesh.textureMaterial].texture);
                SetPendingTextureCoords(builder);
            }
        } else {
            const MaterialEntry& m = Material[PendingMesh.colourMaterial];
            const platform::RmColor colour =
                platform::RmCreateColorRGB(m.colour[0], m.colour[1], m.colour[2]);
            eachFace([&](uint32_t, platform::RmFace* face) {
                face->SetColor(colour);
                face->SetMaterial(m.material);
            });
        }
        if (PendingMesh.faceMaterialCount > 0) {
            SetPendingTextureCoords(builder);
            eachFace([&](uint32_t i, platform::RmFace* face) {
                if (i >= static_cast<uint32_t>(PendingMesh.faceMaterialCount)) return;
                const int fm = PendingMesh.faceMaterials[i];
                if (fm >= 0 && fm < MaterialCount && Material[fm].kind == MaterialTexture)
                    face->SetTexture(Material[fm].texture);
            });
        }
        if (faces) faces->Release();
        if (Part[part].frame) Part[part].frame->AddVisual(builder);
    }
    CurrentPartIndex = NextPart;
    NextPart = std::min(NextPart + 1, MaxParts);
    ClearPendingMesh();
    return 1;
}

void SetPartPosition(int part, float x, float y, float z) {
    platform::RmFrame* frame = PartFrame(part);
    if (!frame) return;
    platform::RmMatrix4 m;
    frame->GetTransform(m);
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    frame->AddTransform(platform::D3DRMCOMBINE_REPLACE, m);
}

void ScalePart(int part, float s) {
    if (platform::RmFrame* frame = PartFrame(part))
        frame->AddScale(platform::D3DRMCOMBINE_BEFORE, s, s, s);
}

void SetPartRotation(int part, const float q[4]) {
    platform::RmFrame* frame = PartFrame(part);
    if (!frame) return;
    platform::RmQuaternion rotation;
    rotation.s = q[0];
    rotation.v = {q[1], q[2], q[3]};
    platform::RmMatrix4 m;
    platform::RmMatrixFromQuaternion(m, &rotation);
    platform::RmMatrix4 t;
    frame->GetTransform(t);
    for (int c = 0; c < 3; ++c) m.m[3][c] = t.m[3][c];
    frame->AddTransform(platform::D3DRMCOMBINE_REPLACE, m);
}

namespace {
// Gives up our reference to a part's frame and takes it out of the scene, so that frames of
// released parts do not pile up under the world frame with each level.
void DropPartFrame(platform::RmFrame* frame) {
    if (platform::RmFrame* parent = frame->GetParent()) parent->DeleteChild(frame);
    frame->Release();
}
}  // namespace

int ReleasePart(int part) {
    if (part < 0 || part >= MaxParts) return 0;
    AnimPart& p = Part[part];
    if (!p.frame || !p.meshBuilder) return 0;
    p.frame->DeleteVisual(p.meshBuilder);
    p.meshBuilder->Release();
    DropPartFrame(p.frame);
    p.frame = nullptr;
    p.meshBuilder = nullptr;
    return 1;
}

void ResetParts() {
    for (AnimPart& p : Part) {
        if (p.meshBuilder) {
            if (p.frame) p.frame->DeleteVisual(p.meshBuilder);
            p.meshBuilder->Release();
        }
        if (p.frame) DropPartFrame(p.frame);
        p = AnimPart{};
    }
    NextPart = 0;
    CurrentPartIndex = 0;
    PendingMeshPart = NoPendingMesh;
    ClearPendingMesh();
}
