#include "platform/rm_mesh.h"

namespace platform {

HResult RmFace::SetColor(RmColor color) {
    color_ = color;
    return D3DRM_OK;
}

HResult RmFace::SetMaterial(RmMaterial* material) {
    material_ = RmRef<RmMaterial>(material);
    return D3DRM_OK;
}

HResult RmFace::SetTexture(RmTexture* texture) {
    texture_ = RmRef<RmTexture>(texture);
    return D3DRM_OK;
}

HResult RmFaceArray::GetElement(uint32_t index, RmFace** out) const {
    *out = nullptr;
    if (index >= faces_.size()) return D3DRMERR_BADVALUE;
    *out = faces_[index].get();
    (*out)->AddRef();
    return D3DRM_OK;
}

HResult RmMeshBuilder::AddFaces(const RmVector* vertices, uint32_t vertexCount,
                                const RmVector* normals, uint32_t normalCount, const uint32_t* data,
                                size_t dataCount, RmFaceArray** faces) {
    if (faces) *faces = nullptr;
    if ((vertexCount && !vertices) || (normalCount && !normals) || (dataCount && !data)) {
        return D3DRMERR_BADVALUE;
    }
    auto vertexBase = static_cast<uint32_t>(geometry_.positions.size());
    auto normalBase = static_cast<uint32_t>(geometry_.normals.size());
    geometry_.positions.insert(geometry_.positions.end(), vertices, vertices + vertexCount);
    geometry_.texCoords.resize(geometry_.positions.size());
    geometry_.normals.insert(geometry_.normals.end(), normals, normals + normalCount);

    auto* added = new RmFaceArray();
    HResult result = D3DRM_OK;
    size_t at = 0;
    while (at < dataCount && data[at] != 0) {
        uint32_t count = data[at++];
        if (count < 3 || count > (dataCount - at) / 2) {
            result = D3DRMERR_BADVALUE;
            break;
        }
        auto face = RmAdopt(new RmFace());
        for (uint32_t i = 0; i < count; ++i, at += 2) {
            uint32_t v = data[at], n = data[at + 1];
            if (v >= vertexCount || n >= normalCount) {
                result = D3DRMERR_BADVALUE;
                break;
            }
            face->corners_.push_back({vertexBase + v, normalBase + n});
        }
        if (result != D3DRM_OK) break;
        geometry_.faces.push_back(face);
        added->faces_.push_back(face);
    }
    if (faces) {
        *faces = added;
    } else {
        added->Release();
    }
    return result;
}

HResult RmMeshBuilder::SetTexture(RmTexture* texture) {
    for (auto& face : geometry_.faces) face->SetTexture(texture);
    return D3DRM_OK;
}

HResult RmMeshBuilder::SetTextureCoordinates(uint32_t vertex, float u, float v) {
    if (vertex >= geometry_.texCoords.size()) return D3DRMERR_BADVALUE;
    geometry_.texCoords[vertex] = {u, v};
    return D3DRM_OK;
}

HResult RmMeshBuilder::CreateMesh(RmMesh** out) const {
    auto* mesh = new RmMesh();
    mesh->geometry_.positions = geometry_.positions;
    mesh->geometry_.normals = geometry_.normals;
    mesh->geometry_.texCoords = geometry_.texCoords;
    for (const auto& face : geometry_.faces) {
        auto copy = RmAdopt(new RmFace());
        copy->corners_ = face->corners_;
        copy->color_ = face->color_;
        copy->material_ = face->material_;
        copy->texture_ = face->texture_;
        mesh->geometry_.faces.push_back(copy);
    }
    *out = mesh;
    return D3DRM_OK;
}

}  // namespace platform
