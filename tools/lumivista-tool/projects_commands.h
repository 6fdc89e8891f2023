#pragma once

#include "command.h"

namespace lv::tool {

// "calendar shape YEAR MONTH [--json]" and "calendar refill TEMPLATE OUT --year Y --month M".
int RunCalendar(std::string_view name, Arguments args);

// "project drop TEMPLATE OUT --layer N PHOTO".
int RunProject(std::string_view name, Arguments args);

}  // namespace lv::tool
