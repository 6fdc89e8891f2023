#pragma once
// lumivista-tool store: the user's photos downloaded from the photo service as the download
// page does, through the store library.

#include "command.h"

namespace lv::tool {

int RunStore(std::string_view name, Arguments args);

}  // namespace lv::tool
