#include "app/skin/screen_selection.h"

#include "app/skin/button_table.h"
#include "app/skin/screen_areas.h"

#include <algorithm>

namespace lv::skin {

std::vector<int> SelectionOnScreen(int panel, int screen)
{
    const auto buttons = PanelButtons(panel);
    std::vector<int> selection;
    for (const ButtonDefinition& b : buttons)
        selection.push_back(b.selection);

    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonDefinition& b = buttons[i];
        if (b.group == kGroupScreenArea) {
            selection[i] = b.controlId == AreaButtonControl(AreaOfScreen(screen)) ? kSelected : 0;
            continue;
        }
        if (b.group == 0 || b.handler != Handler::SwitchScreen)
            continue;
        const bool named = std::any_of(buttons.begin(), buttons.end(), [&](const ButtonDefinition& other) {
            return other.group == b.group && other.handler == Handler::SwitchScreen && int(other.argument) == screen;
        });
        const int chosen = named ? screen : ScreenLayout(screen).panelAt(1);
        selection[i] = int(b.argument) == chosen ? kSelected : 0;
    }
    return selection;
}

}  // namespace lv::skin
