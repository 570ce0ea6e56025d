// The surfaces' side of the presentation: the primary surface registers itself and hands over
// each change of its pixels or palette.
#pragma once
#include "platform/presenter.h"

namespace platform {

// Registers the one primary surface alive (null when none); called by the surface itself.
void SetPrimarySurface(Surface* surface);

// Turns the primary surface into the presented picture and shows it.
void PresentPrimary(const Surface& primary);

}  // namespace platform
