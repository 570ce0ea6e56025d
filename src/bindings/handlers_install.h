// Hands the lower floors the calls they make upward (base/handlers.h); done once before the game
// starts.
#pragma once

void InstallHandlers();
