// The AVX2 build of the rasterizer's rows, a source of its own compiled for AVX2.
#pragma once
#include "platform/rm_raster_rows_detail.h"
#include "platform/vector_isa.h"

namespace platform {

#if DUSK_X86_VECTORS
// Draws the rows with AVX2: only on machines that have it.
void RmRasterRowsAvx2(RmRasterRows& rows);
#endif

}  // namespace platform
