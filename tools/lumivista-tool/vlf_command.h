#pragma once
#include "command.h"

namespace lv::tool {

// "vlf info|flatten|preview|make|merge ...": layered documents.
int RunVlf(std::string_view name, Arguments args);

int RunVlfInfo(Arguments args);
int RunVlfMake(Arguments args);

}  // namespace lv::tool
