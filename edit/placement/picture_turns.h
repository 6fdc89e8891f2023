#pragma once
// Exact quarter turns and mirror images of 8- and 24-bit pictures (no resampling).

#include "imagelib/dib.h"

namespace lv {

// A zeroed picture with the header and colour table of `like` at another size; null when
// memory runs out.
HDIB BlankPictureLike(const HDIB& like, int width, int height);

// Null when memory runs out or the picture is neither 8 nor 24 bits.
HDIB FlipPicture(const HDIB& picture, bool horizontal);
// A quarter turn clockwise (`right`) or counter-clockwise; width and height swap.
HDIB TurnPicture(const HDIB& picture, bool right);

}  // namespace lv
