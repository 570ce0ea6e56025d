#pragma once
// Freeing the loaded level.

// Deletes the level: rooms, cubes, vertices, textures and map objects; every table is empty
// afterwards and CurrentCube is cleared.
void FreeLevel();
