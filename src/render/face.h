#pragma once
// Cube faces: one wall, floor or ceiling of a cube, drawn from the record the cube world
// builds for it. No facing test is made here: the caller decides which faces to hand over.
#include "render/face_record.h"

// Lights, clips and projects the face and hands it to the face filler that its texture's
// layout and its flags choose. The record's texture points are left in view space and its
// view normal is written for the fillers that read it. A face without a texture, or with an
// empty one, draws nothing.
void DrawFace(FaceRecord* face);
