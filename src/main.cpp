// Entry of both builds of the game; the second build is chosen by DUSKHAVN_SECOND_BUILD.
#include <cstdio>

#include "shell/build_variant.h"

#ifndef DUSKHAVN_SECOND_BUILD
#define DUSKHAVN_SECOND_BUILD 0
#endif

int main() {
    SecondBuild = DUSKHAVN_SECOND_BUILD != 0;
    std::fprintf(stderr, "Duskhavn: the application shell is not built yet; nothing to start.\n");
    return 0;
}
