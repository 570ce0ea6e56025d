#pragma once
// Floor span filler of the textured-quad path: a level floor or ceiling painted one
// screen row at a time from the current floor texture (stored row by row), the
// texture stretched once over the quad.
void FillFloorSpans();
