// The choice between a real screen (SDL) and the headless backend. Headless: no window, no
// device; boxes recorded, input injected. The services that differ between the two are in
// backend_detail.h.
#pragma once

namespace platform {

// True when there is no screen to show things on: chosen by SetHeadless, or when the video
// driver is the dummy or offscreen one, or when SDL's video cannot start.
bool Headless();
void SetHeadless(bool headless);

}  // namespace platform
