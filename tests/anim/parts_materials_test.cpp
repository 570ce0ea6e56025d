#include <string>

#include "anim_fixture.h"

namespace {

using PartsAndMaterials = AnimTest;

const float Identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

TEST_F(PartsAndMaterials, Part255IsTheLastAndTheRefusedOneIsNeverWritten) {
    PendingMeshPart = FileStartPending;
    ASSERT_EQ(NewPart(), 1);  // the root part 0 and the first object, part 1
    for (int p = 2; p <= 254; ++p) {
        ASSERT_EQ(NewPart(), 1) << p;
        ASSERT_EQ(CurrentPartIndex, p);
    }
    EXPECT_EQ(SetPartTransform(Identity, 16), 254);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(NewPart(), 0);
    EXPECT_EQ(NewPart(), 0);
    EXPECT_EQ(SetPartTransform(Identity, 16), -1);
    EXPECT_EQ(Part[255].frame, nullptr);
    EXPECT_EQ(NextPart, MaxParts);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed maximum part number | Error",
                                                    "Exceed maximum part number | Error"}));
    // A new file cannot make its root either.
    PendingMeshPart = FileStartPending;
    EXPECT_EQ(NewPart(), 0);
    EXPECT_EQ(NextPart, MaxParts);
}

TEST_F(PartsAndMaterials, Material63IsRefusedAndTakesNoStatements) {
    for (int i = 1; i <= 62; ++i) ASSERT_EQ(NewMaterial(("m" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(NewMaterial("extra"), -1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed maximum material list | Error"}));
    EXPECT_EQ(MaterialCount, 63);
    EXPECT_EQ(FindMaterial("extra"), -1);
    EXPECT_EQ(FindMaterial("m62"), 62);
    const float red[4] = {1, 0, 0, 1};
    SetMaterialColor(red, 4);  // no material in hand: nothing changes
    EXPECT_EQ(Material[63].kind, MaterialNothing);
    EXPECT_EQ(Material[62].kind, MaterialNothing);
}

TEST_F(PartsAndMaterials, TexturesByExtensionAndReloadingReleasesTheOldOne) {
    Write("a.ppm", "P3\n1 1\n255\n0 0 255\n");
    Write("b.PPM", "P3\n2 1\n255\n0 0 255 255 0 0\n");
    Write("c.bmp", "BM");
    platform::RmTexture* ppm = LoadTextureFile("a.ppm");
    ASSERT_NE(ppm, nullptr);
    ppm->Release();
    platform::RmTexture* caps = LoadTextureFile("b.PPM");
    ASSERT_NE(caps, nullptr);
    EXPECT_EQ(caps->Width(), 2);
    caps->Release();
    EXPECT_EQ(LoadTextureFile("c.bmp"), nullptr);
    EXPECT_EQ(LoadTextureFile("noextension"), nullptr);
    EXPECT_EQ(LoadTextureFile("missing.gif"), nullptr);

    NewMaterial("skin");
    SetMaterialTexture("a.ppm");
    platform::RmTexture* first = Material[1].texture;
    ASSERT_NE(first, nullptr);
    first->AddRef();
    SetMaterialTexture("b.PPM");
    EXPECT_EQ(first->Release(), 0u);  // the material let its reference go
    EXPECT_EQ(Material[1].texture->Width(), 2);
    SetMaterialTexture("c.bmp");  // a failed load leaves a texture material without a texture
    EXPECT_EQ(Material[1].texture, nullptr);
    EXPECT_EQ(Material[1].kind, MaterialTexture);
    const float highlight[2] = {0.5f, 4.0f};
    SetMaterialSpecular(highlight, 2);
    EXPECT_EQ(Material[1].kind, MaterialTexture);
}

// A ".ppm" of 4096 x 4096 pixels loads; one pixel wider, it is named as too large and left out.
TEST_F(PartsAndMaterials, PpmTexturesUpTo4096By4096PixelsLoad) {
    for (const int width : {4096, 4097}) {
        SCOPED_TRACE(width);
        platform::ClearRecordedBoxes();
        // A bitmap of one bit a pixel: 2 MB for the picture at the limit.
        Write("big.ppm", "P4\n" + std::to_string(width) + " 4096\n" +
                             std::string(static_cast<size_t>(width + 7) / 8 * 4096, '\0'));
        platform::RmTexture* texture = LoadTextureFile("big.ppm");
        if (width == 4096) {
            ASSERT_NE(texture, nullptr);
            EXPECT_EQ(texture->Width(), 4096);
            EXPECT_EQ(texture->Height(), 4096);
            EXPECT_TRUE(BoxTexts().empty());
            texture->Release();
        } else {
            EXPECT_EQ(texture, nullptr);
            EXPECT_EQ(BoxTexts(),
                      (std::vector<std::string>{"Texture big.ppm is too large. | Error"}));
        }
    }
}

TEST_F(PartsAndMaterials, MeshListsAreTakenWithinTheirBuffersAndFacesAlwaysEnd) {
    std::vector<float> many(MeshBufferEntries, 1.0f);
    EXPECT_EQ(SetFaces(many.data(), MeshBufferEntries), 0);
    EXPECT_EQ(SetTextureCoords(many.data(), MeshBufferEntries), 0);
    EXPECT_EQ(SetVertices(many.data(), 0), 0);

    PendingMeshPart = FileStartPending;
    ASSERT_EQ(NewPart(), 1);
    SetPartTransform(Identity, 16);
    const float vertices[9] = {0, 0, 0, 1, 0, 0, 1, 1, 0};
    const float normal[3] = {0, 0, -1};
    // A triangle whose list has no closing 0, and runs on into a face that names no vertex.
    const float faces[10] = {3, 0, 0, 1, 0, 2, 0, 3, 0, 0};
    EXPECT_EQ(SetVertices(vertices, 9), 1);
    EXPECT_EQ(SetNormals(normal, 3), 1);
    EXPECT_EQ(SetFaces(faces, 7), 1);
    EXPECT_EQ(PendingMesh.faceData[7], 0u);
    const int part = CurrentPartIndex;
    EXPECT_EQ(BuildMesh(part), 1);
    ASSERT_NE(Part[part].meshBuilder, nullptr);
    EXPECT_EQ(Part[part].meshBuilder->GetFaceCount(), 1u);
    EXPECT_EQ(PendingMesh.vertexCount, 0);
    EXPECT_EQ(CurrentPartIndex, part + 1);

    // Without normals no mesh is made; the part counter moves on all the same.
    SetVertices(vertices, 9);
    SetFaces(faces, 7);
    EXPECT_EQ(BuildMesh(CurrentPartIndex), 1);
    EXPECT_EQ(Part[part + 1].meshBuilder, nullptr);
    EXPECT_EQ(CurrentPartIndex, part + 2);
}

TEST_F(PartsAndMaterials, ReleasedPartsLeaveNoFramesBehindInTheScene) {
    PendingMeshPart = FileStartPending;
    ASSERT_EQ(NewPart(), 1);
    ASSERT_EQ(NewPart(), 1);
    ASSERT_FALSE(WorldFrame->Children().empty());
    for (int level = 0; level < 3; ++level) {
        ResetParts();
        EXPECT_TRUE(WorldFrame->Children().empty()) << "level " << level;
        PendingMeshPart = FileStartPending;
        ASSERT_EQ(NewPart(), 1);
    }
}
