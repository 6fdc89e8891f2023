#pragma once
// Commands that need Qt (printing, capturing the screen) or the network libraries (mail, the
// photo service) run in a second executable installed beside lumivista-tool, so every other
// command starts without loading them. The command table marks such a command's row with
// LV_QT_SIDE(run): the light executable execs the Qt side with the same arguments; the Qt side,
// built from the same table, runs `run` itself.

#include "command.h"

#include <string_view>

namespace lv::tool {

inline constexpr std::string_view kQtSideExecutable = "lumivista-tool-qt";

// Replaces this process with the Qt side running the command; returns only when it could not
// be started, after saying so.
int RunOnQtSide(std::string_view name, Arguments args);

}  // namespace lv::tool

#ifdef LV_TOOL_QT_SIDE
#define LV_QT_SIDE(run) run
#else
#define LV_QT_SIDE(run) ::lv::tool::RunOnQtSide
#endif
