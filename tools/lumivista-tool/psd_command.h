#pragma once

#include "command.h"

namespace lv::tool {

// psd info FILE [--json]: the header and the layer records of a Photoshop document as read.
int RunPsd(std::string_view name, Arguments args);

}  // namespace lv::tool
