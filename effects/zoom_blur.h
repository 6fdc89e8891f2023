#pragma once
// The zoom blur, computed in bands of rows.

#include "effects/operation.h"

namespace lv::effects {

void RunZoomBlur(ConstRaster in, Raster out, const Parameters& p, const Context& ctx);

}  // namespace lv::effects
