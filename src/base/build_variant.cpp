#include "base/build_variant.h"

bool SecondBuild = false;
