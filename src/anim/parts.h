// The parts of animated objects: scene frames in a hierarchy, each with the mesh gathered from
// its file's vertex, normal, face and texture-coordinate statements.
#pragma once
#include <cstdint>

#include "anim/limits.h"
#include "platform/rm.h"

struct AnimPart {
    platform::RmFrame* frame;              // null until the part's "matrix" statement
    platform::RmMeshBuilder* meshBuilder;  // null when the part has no mesh
};

extern AnimPart Part[MaxParts];
extern int NextPart;
extern int CurrentPartIndex;  // the part being filled
extern int PendingMeshPart;   // the part whose mesh is gathered; -2 at a file's start, -1 none
inline constexpr int NoPendingMesh = -1;
inline constexpr int FileStartPending = -2;
extern int PartLevelStack[MaxMotionLevels];  // entry 0: the file's root part

// The mesh being gathered for the pending part.
struct MeshBuffers {
    float vertices[MeshBufferEntries * 3];
    int vertexCount;
    float normals[MeshBufferEntries * 3];
    int normalCount;
    uint32_t faceData[MeshBufferEntries + 1];  // room for the end mark
    int faceDataCount;
    float texCoords[MeshBufferEntries];
    int texCoordCount;
    int faceMaterials[MeshBufferEntries];
    int faceMaterialCount;
    int textureMaterial;  // 0: none
    int colourMaterial;   // 0: none
};
extern MeshBuffers PendingMesh;

// "object" of an animated-object file: builds the pending mesh and starts the next part (the
// first one of a file also makes the file's root part under the world frame). 0 when the parts
// are used up (reported).
int NewPart();

// "matrix": the current part's frame under the part one level up, with the 4 x 4 transform of
// the first 16 numbers. The part, or -1 when there is no part in hand.
int SetPartTransform(const float* numbers, int n);

// The pending mesh's lists; 1 when taken, 0 when empty or too long for the buffers.
int SetVertices(const float* numbers, int n);
int SetNormals(const float* numbers, int n);
int SetFaces(const float* numbers, int n);
int SetTextureCoords(const float* numbers, int n);
int SetFaceMaterials(const char* const* words, int n);

// Builds the pending mesh into `part` and moves on to the next part; 1.
int BuildMesh(int part);

// Placing and turning parts; each does nothing for a part without a frame.
void SetPartPosition(int part, float x, float y, float z);
void ScalePart(int part, float s);
void SetPartRotation(int part, const float q[4]);

// Takes the mesh off the part's frame and releases both; 1 when the part had both.
int ReleasePart(int part);

// The frame of a part, or null.
platform::RmFrame* PartFrame(int part);

// The parts counted out (after their link trees were released): frames and meshes still held
// are released and the counters start again at 0.
void ResetParts();
