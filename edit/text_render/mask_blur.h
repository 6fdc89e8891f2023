#pragma once
// The soft edge of a drop shadow: an 8-bit mask blurred with a Gaussian.

#include "imagelib/dib.h"

namespace lv {

// The mask widened by `radius` pixels on every side (so the blur has room to spread) and
// blurred with a Gaussian reaching `radius` pixels (standard deviation radius / 2). Flat
// areas keep their value; radius 0 gives a copy. Null for a mask that isn't 8-bit, a
// negative radius or when memory runs out.
HDIB GaussianBlurMask(const HDIB& mask, int radius);

}  // namespace lv
