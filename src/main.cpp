// Entry of both builds of the game; the second build is chosen by DUSKHAVN_SECOND_BUILD.
#include "base/build_variant.h"
#include "bindings/handlers_install.h"
#include "platform/win_constants.h"
#include "shell/app.h"

#ifndef DUSKHAVN_SECOND_BUILD
#define DUSKHAVN_SECOND_BUILD 0
#endif

int main() {
    SecondBuild = DUSKHAVN_SECOND_BUILD != 0;
    InstallHandlers();
    return WinMain(nullptr, nullptr, "", platform::SW_SHOWNORMAL);
}
