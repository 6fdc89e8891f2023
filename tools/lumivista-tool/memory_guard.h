#pragma once
// Every command runs guarded: memory running out anywhere while it reads its files ends it
// with string 2004 and the input's name on stderr and the input-failure exit status, never
// with an abort.

#include "command.h"

namespace lv::tool {

int RunWithinMemory(const Command& command, Arguments args);

}  // namespace lv::tool
