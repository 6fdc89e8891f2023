#pragma once
// "Tela inteira": the active document's picture alone on the screen, fitted and centred,
// until a key or a click, in the display's colours.

#include "imagelib/dib.h"

#include <cstdint>
#include <span>

namespace lv::app {

// `iccProfile`: what the picture's numbers mean (empty: sRGB).
void ShowFullScreenView(const HDIB& composite, std::span<const std::uint8_t> iccProfile = {});

}  // namespace lv::app
