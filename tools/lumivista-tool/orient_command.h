#pragma once
// lumivista-tool orient: photos turned upright by their EXIF orientation, or a quarter left
// or right, in place; JPEGs without loss.

#include "command.h"

namespace lv::tool {

// orient FILE... --left|--right|--auto [--lossless-only] [--trim] [--json]
int RunOrient(std::string_view name, Arguments args);

}  // namespace lv::tool
