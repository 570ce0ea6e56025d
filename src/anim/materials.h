// Materials: named colours, specular highlights or textures that meshes and single faces use.
// Textures come from ".ppm" files through the scene graph or from ".gif" files through the
// game's own decoder.
#pragma once
#include <cstdint>
#include <string>

#include "anim/limits.h"
#include "platform/rm.h"

inline constexpr int MaterialNothing = 0;
inline constexpr int MaterialTexture = 1;
inline constexpr int MaterialColour = 2;

struct MaterialEntry {
    char name[AnimNameSize];
    platform::RmTexture* texture;    // kind 1; null when its file could not be loaded
    platform::RmMaterial* material;  // made by a "specular" statement
    float colour[4];                 // red, green, blue, alpha
    int32_t kind;
};

extern MaterialEntry Material[MaxMaterials];
extern int MaterialCount;    // 1 at start-up: entry 0 means no material
extern int CurrentMaterial;  // the material "colour", "specular" and "texture" fill; -1 none

// Start-up: no materials (entry 0 stands for none); textures and highlights held are released.
void ResetMaterials();

// A new material named `name`, made the current one; -1 when the table is full (reported).
int NewMaterial(const char* name);
// The material named `name`, or -1.
int FindMaterial(const char* name);

// The current material's colour (the first four numbers), highlight (numbers[0] the grey of
// the specular colour, numbers[1] the power) and texture.
void SetMaterialColor(const float* numbers, int n);
void SetMaterialSpecular(const float* numbers, int n);
void SetMaterialTexture(const char* fileName);

// The pending mesh takes material m as its texture (kind 1) or colour (kind 2).
void SetMeshMaterial(int m);

// A texture by file name: ".ppm" through the scene graph, ".gif" through the GIF decoder
// (extension without regard to case); null for any other name or a file that cannot be loaded.
// A ".ppm" whose header declares a picture too large to read is named in a box.
platform::RmTexture* LoadTextureFile(const std::string& fileName);
