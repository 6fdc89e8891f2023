#pragma once
#include "command.h"

namespace lv::tool {

// "text OUT --size WxH ... --text TEXT ...": a document with a new text layer.
int RunText(std::string_view name, Arguments args);

}  // namespace lv::tool
