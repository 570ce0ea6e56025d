// The cube world back at its start: no level (vertices, cubes, rooms, textures, map objects) and
// no saved camera.
#pragma once

void ResetWorld();
