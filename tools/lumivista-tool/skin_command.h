#pragma once
#include "command.h"

namespace lv::tool {
// skin info FILE [--json]: screens, buttons, rectangles and picture sizes of a skin file
int RunSkin(std::string_view name, Arguments args);
}  // namespace lv::tool
