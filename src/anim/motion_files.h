// The three kinds of motion file: animated objects (parts with their meshes, materials,
// textures and the keys of the object's own motion), motions (further key sets for an object
// loaded before) and paths. They share one reading loop through the script tokenizer and
// statement parser; the kind comes from the command that names the file.
#pragma once

// 1 when the file was read to its end, 0 when it could not be opened or read, or on a syntax or
// size error (what was read before stays loaded).
int LoadAnimObjFile(const char* fileName);
int LoadMotion(const char* fileName);
int LoadPath(const char* fileName);

// The handlers of the statement now in the parsed statement; 1.
int AnimObjFileStatement();
int MotionFileStatement();
int PathFileStatement();

// The script command that brings a 3D character in: a motion row of its own, the file's parts
// and keys, its place (x, y + height, z), scale and height offset from the numbers
// (x, y, z, scale, height) when there are any, and its animation object. 1, or 0 when the
// motion table is full (reported).
int LoadAnimObj(const char* fileName, const float* numbers, int count);
