#pragma once
// lumivista-tool mail: a picture sent as the e-mail page sends it, through the mail layer.

#include "command.h"

namespace lv::tool {

int RunMail(std::string_view name, Arguments args);

}  // namespace lv::tool
