// Meshes: faces over shared vertices and normals, each face with its colour, material and
// texture. A mesh builder can be changed after its faces are added; a mesh is a fixed copy made
// from a builder. Both are visuals that frames carry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rm_material.h"
#include "platform/rm_math.h"
#include "platform/rm_ref.h"
#include "platform/rm_texture.h"
#include "platform/rm_types.h"
#include "platform/types.h"

namespace platform {

struct RmTexCoord {
    float u = 0.0f;
    float v = 0.0f;
};

class RmFace : public RefCounted {
public:
    struct Corner {
        uint32_t vertex;
        uint32_t normal;
    };

    HResult SetColor(RmColor color);
    HResult SetMaterial(RmMaterial* material);  // null: no highlight
    HResult SetTexture(RmTexture* texture);     // null: the face's colour

    const std::vector<Corner>& Corners() const { return corners_; }
    RmColor Color() const { return color_; }
    RmMaterial* Material() const { return material_.get(); }
    RmTexture* Texture() const { return texture_.get(); }

private:
    friend class RmMeshBuilder;
    friend class RmMesh;

    std::vector<Corner> corners_;
    RmColor color_ = 0xFFFFFFFFu;
    RmRef<RmMaterial> material_;
    RmRef<RmTexture> texture_;
};

class RmFaceArray : public RefCounted {
public:
    uint32_t GetSize() const { return static_cast<uint32_t>(faces_.size()); }
    // The face at `index` with a reference for the caller; D3DRMERR_BADVALUE past the end.
    HResult GetElement(uint32_t index, RmFace** out) const;

private:
    friend class RmMeshBuilder;
    std::vector<RmRef<RmFace>> faces_;
};

// What the renderer draws: positions, normals, per-vertex texture coordinates and faces.
struct RmGeometry {
    std::vector<RmVector> positions;
    std::vector<RmVector> normals;
    std::vector<RmTexCoord> texCoords;  // one per position
    std::vector<RmRef<RmFace>> faces;
};

class RmVisual : public RefCounted {
public:
    const RmGeometry& Geometry() const { return geometry_; }

protected:
    RmGeometry geometry_;
};

class RmMesh : public RmVisual {
private:
    friend class RmMeshBuilder;
};

class RmMeshBuilder : public RmVisual {
public:
    // Adds the vertices and normals, then the faces of `data`: for each face its corner count,
    // then that many pairs of vertex and normal index (counted in the arrays given here); a
    // count of 0 or the end of the data ends the list. Faces up to the first one that has fewer
    // than 3 corners, runs past the data or names a vertex or normal that does not exist are
    // added; that one and the rest are not, and the result is then D3DRMERR_BADVALUE. `faces`
    // (may be null) receives the array of the faces added.
    HResult AddFaces(const RmVector* vertices, uint32_t vertexCount, const RmVector* normals,
                     uint32_t normalCount, const uint32_t* data, size_t dataCount,
                     RmFaceArray** faces);
    // Every face gets the texture.
    HResult SetTexture(RmTexture* texture);
    // D3DRMERR_BADVALUE for a vertex that does not exist.
    HResult SetTextureCoordinates(uint32_t vertex, float u, float v);
    // A mesh holding a copy of the builder's faces as they are now.
    HResult CreateMesh(RmMesh** out) const;

    uint32_t GetFaceCount() const { return static_cast<uint32_t>(geometry_.faces.size()); }
};

}  // namespace platform
