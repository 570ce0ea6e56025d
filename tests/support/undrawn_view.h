// The view pixels that a drawing of the cube world from the player's eye leaves undrawn.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/graphics_objects.h"
#include "platform/surface.h"
#include "world/visible_rooms.h"

// The back buffer's top-left three quarters are the view. The world is drawn twice, over two
// fillings of the buffer, and a pixel that kept both was drawn by nothing.
inline int UndrawnViewPixels() {
    const int width = static_cast<int>(BackBuffer->Width());
    const int height = static_cast<int>(BackBuffer->Height());
    const int viewWidth = width - width / 4, viewHeight = height - height / 4;
    std::vector<bool> kept(viewWidth * viewHeight, true);
    for (uint8_t filling : {uint8_t{0xEE}, uint8_t{0x11}}) {
        for (int y = 0; y < height; ++y)
            std::fill_n(BackBuffer->Pixels() + y * BackBuffer->Pitch(), width, filling);
        DrawWorld();
        for (int y = 0; y < viewHeight; ++y)
            for (int x = 0; x < viewWidth; ++x)
                kept[y * viewWidth + x] =
                    kept[y * viewWidth + x] &&
                    BackBuffer->Pixels()[y * BackBuffer->Pitch() + x] == filling;
    }
    return static_cast<int>(std::count(kept.begin(), kept.end(), true));
}
