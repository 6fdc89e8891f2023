#pragma once
// Pictures in the printer's colours: from the picture's own profile (sRGB when it has none) to
// the printer's, perceptual, as the driver's profile expects its input.

#include "imagelib/dib.h"

#include <cstdint>
#include <span>

namespace lv::print {

// The picture converted, 24-bit; null when there is no printer profile or the two profiles
// make no transform (the picture then prints as it is).
HDIB InPrinterColours(const HDIB& picture, std::span<const std::uint8_t> pictureProfile,
                      std::span<const std::uint8_t> printerProfile);

}  // namespace lv::print
