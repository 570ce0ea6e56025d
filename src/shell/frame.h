// One pass of the main loop's game work: the update of the game and the frame drawn from it.
#pragma once

// The game update and the frame of one pass of the main loop; neither does anything once the
// program has shut down.
void PerFrameUpdate();
void RenderFrame();
// The frame's last part: the status displays and the cursor drawn over the view, then the view
// stretched onto the front buffer.
void PresentFrame();
