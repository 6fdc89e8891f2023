#pragma once
// A picture's luma (as LumaImage gives it) blurred as GaussianBlur would, a few rows at a time.

#include "effects/blur_stream.h"
#include "effects/raster.h"

#include <memory>

namespace lv::effects {

std::unique_ptr<BlurStream> BlurredLumaStream(ConstRaster in, double sigma, int kept, int threads);

// The same rows' luma in columns [first, end), as LumaImage computes it.
void LumaRow(const std::uint8_t* in, int first, int end, int channels, float* row);

}  // namespace lv::effects
