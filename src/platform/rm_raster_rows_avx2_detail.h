// The AVX2 build of the rasterizer's rows, a source of its own compiled for AVX2.
#pragma once
#include "platform/rm_raster_rows_detail.h"

namespace platform {

// Draws the rows with AVX2: only on machines that have it.
void RmRasterRowsAvx2(RmRasterRows& rows);

}  // namespace platform
