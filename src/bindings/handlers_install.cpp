#include "bindings/handlers_install.h"

#include "base/handlers.h"
#include "bindings/commands.h"
#include "bindings/keywords_actions.h"
#include "script/runner.h"
#include "shell/bmp_surface.h"
#include "shell/overlays.h"
#include "shell/sound.h"

void InstallHandlers() {
    Handlers.execKeyword = ExecKeyword;
    Handlers.execCommand = ExecCommand;
    Handlers.stopScriptRun = [] { StopFlag = 1; };
    Handlers.loadTextureSheet = [](const char* file) {
        return LoadBmpSurface(file, nullptr, nullptr, nullptr);
    };
    Handlers.textureSheet = [] { return OverlaySurfaces[0]; };
    Handlers.playSound = [](int slot) { PlaySound(slot, 0); };
}
