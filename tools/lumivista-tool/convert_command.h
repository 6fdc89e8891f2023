#pragma once
#include "command.h"

namespace lv::tool {
// convert IN OUT [--quality N] [--compress] [--interlace] [--transparent] [--save-as] [--to-srgb] [--threads N]
int RunConvert(std::string_view name, Arguments args);
// promote | webpalette | mediancut IN OUT
int RunDepthConversion(std::string_view name, Arguments args);
}  // namespace lv::tool
