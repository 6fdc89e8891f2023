#pragma once
// The camera variant of TIFF stores 4:2:2 YCbCr samples: per pixel pair the two lumas,
// then one blue and one red difference.

#include "imagelib/dib.h"

namespace lv {

// Expands every row of a 24-bit picture whose first 2 × width bytes hold the samples into
// blue-green-red pixels, in place.
void ExpandCameraRows(HDIB& picture);

}  // namespace lv
