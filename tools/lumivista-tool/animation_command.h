#pragma once
// lumivista-tool animation: an animated GIF or WebP from pictures.

#include "command.h"

namespace lv::tool {

// animation OUT.gif|OUT.webp IN... [--delay MS] [--loop N] [--size WxH] [--fade K]
//           [--palette shared|frame] [--quality N] [--json]
int RunAnimation(std::string_view name, Arguments args);

}  // namespace lv::tool
