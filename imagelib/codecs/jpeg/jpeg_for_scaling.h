#pragma once
// A JPEG photo opened to be scaled down: the decoder's own reductions do most of the shrinking.

#include "imagelib/codecs/document_open.h"

#include <string>

namespace lv {

// The photo at the smallest of the decoder's reductions (1/2, 1/4, 1/8) that still has at
// least twice `width` × `height` (upright) in both directions, or whole when none has;
// turned upright, with its metadata, colour profile and resolution as a whole read gives.
OpenedImage OpenJpegForScaling(const std::string& path, int width, int height);

}  // namespace lv
