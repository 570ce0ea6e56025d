// The level reset, the release routines and the one-time shutdown.
#pragma once

// Empties the level-dependent tables of every part of the game. Always 1.
int ResetLevel();
// Releases the scene and camera frames and every drawing object, shows the cursor and posts
// the quit message; 1 when it ran, 0 when it had run before.
int ShutdownApp();
// The two release routines: RenderingStopped is set, then each object that exists is released
// in a fixed order. ReleaseAll also releases the scene-graph and drawing objects themselves.
void ReleaseRenderObjects();
void ReleaseAll();
