#pragma once
#include "command.h"

namespace lv::tool {
// resize | thumb IN OUT WIDTH HEIGHT: quality scaling, or fast scaling into a box keeping the aspect ratio
int RunScale(std::string_view name, Arguments args);
// crop IN OUT LEFT TOP RIGHT BOTTOM: a rectangle in picture coordinates (rows from the top)
int RunCrop(std::string_view name, Arguments args);
// new WIDTH HEIGHT R G B OUT [--grey]: a picture of one colour
int RunNew(std::string_view name, Arguments args);
}  // namespace lv::tool
