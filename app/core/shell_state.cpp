#include "app/core/shell_state.h"

#include "app/core/paint_settings.h"
#include "edit/compositing.h"
#include "edit/tools/tool_settings.h"

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
    ApplyBrushConfiguration(state.config, CurrentToolSettings().paint);
    state.recent.load(settings);
    state.gamma = BuildGammaTables(state.config.gammaR, state.config.gammaG, state.config.gammaB);
    state.displayBitsPerPixel = displayBitsPerPixel;
    if (displayBitsPerPixel <= 8)
        state.dither.emplace(state.gamma);
    else
        state.dither.reset();
}

}  // namespace lv
