// The texts of the drawing, 3D and scene-graph objects' result codes.
#pragma once

#include "platform/result_codes.h"

// The text of a result code of the drawing, 3D or scene-graph objects.
const char* ErrorToString(platform::HResult code);
