#pragma once
// The shell's process-wide state: what start-up loads and every part of the program reads.

#include "app/core/configuration.h"
#include "app/core/view/dither.h"
#include "app/core/view/gamma.h"
#include "app/core/recent_lists.h"
#include "app/core/screen_mode.h"

#include <optional>

namespace lv {

struct ShellState {
    Configuration config;
    RecentLists recent;
    GammaTables gamma{};
    std::optional<DitherTable> dither;  // built only for displays of 8 bits per pixel or less
    ScreenMode screenMode;
    int displayBitsPerPixel = 32;
};

ShellState& Shell();

// The settings load of start-up: configuration (the transparency grid's scheme goes to the
// compositing), recent lists, gamma tables and, for shallow displays, the dither table.
void LoadShellState(ShellState& state, const Settings& settings, int displayBitsPerPixel);

}  // namespace lv
