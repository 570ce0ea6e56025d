// Which build of the game is running. The second build (Duskhavn2) differs in script command 10,
// the eye height restored by the view-reset keys, the movers' arithmetic and the bodies the
// robots avoid. Set once by main from the build's definition; tests may set it directly.
#pragma once

inline bool SecondBuild = false;
