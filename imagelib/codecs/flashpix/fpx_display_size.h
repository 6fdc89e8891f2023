#pragma once
// The picture's resolution as the image contents' default display size: the full size's
// width and height in a unit of length.

#include "imagelib/codecs/flashpix/fpx_property_set.h"

#include <cstdint>

namespace lv::flashpix {

struct PixelsPerMetre {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Nothing is added for a picture without a resolution.
void AddDisplaySize(PropertySetWriter& contents, std::uint32_t width, std::uint32_t height, PixelsPerMetre resolution);

// 0 for a direction without a usable display size.
PixelsPerMetre ResolutionOf(const PropertySet& contents, std::uint32_t width, std::uint32_t height);

}  // namespace lv::flashpix
