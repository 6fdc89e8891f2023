#include "app/core/shell_state.h"

#include "edit/compositing.h"

namespace lv {

ShellState& Shell()
{
    static ShellState state;
    return state;
}

void LoadShellState(ShellState& state, const Settings& settings, int displayBitsPerPixel)
{
    state.config = LoadConfiguration(settings);
    SetTransparencyGridScheme(state.config.transparencyGrid);
    state.recent.load(settings);
    state.gamma = BuildGammaTables(state.config.gammaR, state.config.gammaG, state.config.gammaB);
    state.displayBitsPerPixel = displayBitsPerPixel;
    if (displayBitsPerPixel <= 8)
        state.dither.emplace(state.gamma);
    else
        state.dither.reset();
}

}  // namespace lv
