#pragma once
#include "command.h"

namespace lv::tool {
int RunInfo(std::string_view name, Arguments args);
}
