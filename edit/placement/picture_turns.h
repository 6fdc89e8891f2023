#pragma once
// Exact quarter turns and mirror images of 8- and 24-bit pictures (no resampling).

#include "imagelib/dib.h"

namespace lv {

// Null when memory runs out or the picture is neither 8 nor 24 bits.
HDIB FlipPicture(const HDIB& picture, bool horizontal);
// A quarter turn clockwise (`right`) or counter-clockwise; width and height swap.
HDIB TurnPicture(const HDIB& picture, bool right);

}  // namespace lv
