#pragma once
// Three top-down 8-bit planes of red, green and blue stored as the picture's bottom-up BGR
// rows: for libraries whose planar output is cheaper than their interleaved one.

#include "imagelib/dib.h"

#include <cstddef>
#include <cstdint>

namespace lv {

struct RgbPlanes {
    const std::uint8_t* red = nullptr;
    const std::uint8_t* green = nullptr;
    const std::uint8_t* blue = nullptr;
    std::size_t redStride = 0, greenStride = 0, blueStride = 0;
};

// Fills every row of a 24-bit picture from planes at least as large as it.
void StoreTopDownPlanes(HDIB& picture, const RgbPlanes& planes);

}  // namespace lv
