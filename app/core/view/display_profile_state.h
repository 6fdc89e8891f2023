#pragma once
// The display's colour profile, read once at start-up, and the transforms the image windows
// share to show tagged pictures in it. Process-wide: there is one display.

#include "imagelib/colour/colour_transform.h"

#include <cstdint>
#include <vector>

namespace lv {

struct DisplayColourState {
    std::vector<std::uint8_t> profile;  // empty for an sRGB display (or one that names none)
    ColourTransformCache transforms;
};

DisplayColourState& DisplayColourSettings();

}  // namespace lv
