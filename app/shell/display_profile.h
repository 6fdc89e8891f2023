#pragma once
// The colour profile of the display the program shows on.

#include <cstdint>
#include <vector>

namespace lv {

// On X11 the ICC profile a colour manager published in the root window's _ICC_PROFILE
// property; empty (meaning sRGB) elsewhere, when none is set, or when it is no usable RGB
// profile.
std::vector<std::uint8_t> ReadDisplayColourProfile();

}  // namespace lv
