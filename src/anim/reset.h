// Scene animation back at its start: no animation objects, motions, motion links, key frames,
// parts, paths, hot spots or movers. The materials live for the whole run (ResetMaterials).
#pragma once

void ResetSceneAnimation();
