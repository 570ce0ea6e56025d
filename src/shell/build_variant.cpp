#include "shell/build_variant.h"

bool SecondBuild = false;
