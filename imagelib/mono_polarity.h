#pragma once
// Formats whose one-bit pictures are always black on 0 and white on 1.

#include "imagelib/dib.h"

namespace lv {

// Whether a 1-bit picture's table puts the lighter colour at entry 0, so that its bits
// must be flipped to keep the picture's look in a black-and-white file.
inline bool MonoTableInverted(const HDIB& image)
{
    if (!image || image.bitCount() != 1 || image.clrUsed() < 2)
        return false;
    const auto light = [](const RgbQuad& c) { return 30 * c.rgbRed + 59 * c.rgbGreen + 11 * c.rgbBlue; };
    return light(image.colors()[0]) > light(image.colors()[1]);
}

// Flips the bits of one packed 1-bit row of `width` pixels, keeping the bits past the width 0.
inline void InvertMonoRow(std::uint8_t* row, std::size_t width)
{
    const std::size_t bytes = (width + 7) / 8;
    for (std::size_t i = 0; i < bytes; ++i)
        row[i] = std::uint8_t(~row[i]);
    if (width % 8)
        row[bytes - 1] &= std::uint8_t(0xFF << (8 - width % 8));
}

}  // namespace lv
