#include "anim/materials.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "anim/gif_decoder.h"
#include "anim/messages.h"
#include "anim/parts.h"
#include "platform/message_box.h"
#include "platform/result_codes.h"

MaterialEntry Material[MaxMaterials];
int MaterialCount = 1;
int CurrentMaterial = 1;

namespace {

bool CurrentUsable() { return CurrentMaterial >= 1 && CurrentMaterial < MaterialCount; }

std::string LowerExtension(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = fileName.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

}  // namespace

void ResetMaterials() {
    for (MaterialEntry& m : Material) {
        if (m.texture) m.texture->Release();
        if (m.material) m.material->Release();
        m = MaterialEntry{};
    }
    MaterialCount = 1;
    CurrentMaterial = 1;
}

int NewMaterial(const char* name) {
    // Tested before anything is written: the last place of the table is never handed out.
    if (MaterialCount + 1 >= MaxMaterials) {
        CurrentMaterial = -1;
        platform::MessageBox(MsgExceedMaterials, AnimCaptionError);
        return -1;
    }
    const int a = MaterialCount++;
    CurrentMaterial = a;
    MaterialEntry& m = Material[a];
    std::strncpy(m.name, name, AnimNameSize - 1);
    m.name[AnimNameSize - 1] = 0;
    m.kind = MaterialNothing;
    return a;
}

int FindMaterial(const char* name) {
    for (int i = 0; i < MaterialCount; ++i) {
        if (std::strcmp(Material[i].name, name) == 0) return i;
    }
    return -1;
}

void SetMaterialColor(const float* numbers, int n) {
    if (!CurrentUsable()) return;
    MaterialEntry& m = Material[CurrentMaterial];
    for (int i = 0; i < 4; ++i) m.colour[i] = i < n ? numbers[i] : 0.0f;
    if (m.kind == MaterialNothing) m.kind = MaterialColour;
}

void SetMaterialSpecular(const float* numbers, int n) {
    if (!CurrentUsable()) return;
    MaterialEntry& m = Material[CurrentMaterial];
    const float grey = n > 0 ? numbers[0] : 0.0f;
    const float power = n > 1 ? numbers[1] : 0.0f;
    // Let go of the old one first: a load that fails must not leave it behind, released.
    if (m.material) m.material->Release();
    m.material = nullptr;
    m.material = new platform::RmMaterial(power);
    m.material->SetSpecular(grey, grey, grey);
    if (m.kind == MaterialNothing) m.kind = MaterialColour;
}

void SetMaterialTexture(const char* fileName) {
    if (!CurrentUsable()) return;
    MaterialEntry& m = Material[CurrentMaterial];
    if (m.texture) m.texture->Release();  // meshes that use it hold their own reference
    m.texture = nullptr;
    m.texture = LoadTextureFile(fileName);
    m.kind = MaterialTexture;
}

void SetMeshMaterial(int m) {
    if (m < 0 || m >= MaterialCount) return;
    if (Material[m].kind == MaterialTexture) {
        PendingMesh.textureMaterial = m;
        PendingMesh.colourMaterial = 0;
    } else if (Material[m].kind == MaterialColour) {
        PendingMesh.colourMaterial = m;
        PendingMesh.textureMaterial = 0;
    }
}

platform::RmTexture* LoadTextureFile(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    if (ext == ".ppm") {
        platform::RmTexture* texture = nullptr;
        if (platform::RmTexture::Load(fileName, &texture) == platform::DDERR_TOOBIGSIZE) {
            char text[FaultBoxSize];
            std::snprintf(text, sizeof text, MsgTextureTooLarge, fileName.c_str());
            platform::MessageBox(text, AnimCaptionError);
        }
        return texture;
    }
    if (ext == ".gif") return LoadGifTexture(fileName);
    return nullptr;
}
