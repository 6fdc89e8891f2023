#include "app/skin/toggle_memory.h"

namespace lv::skin {

void ToggleMemory::remember(const std::string& skinFile, const effect::MirrorToggle& toggle)
{
    states_[{skinFile, toggle.controlId}] = toggle.selected;
}

Effects ToggleMemory::apply(const std::string& skinFile, PanelInput& panel) const
{
    Effects out;
    for (int i = 0; i < int(panel.size()); ++i) {
        const ButtonDefinition& d = panel.control(i).definition;
        if (d.kind != ButtonKind::Toggle)
            continue;
        const auto it = states_.find({skinFile, d.controlId});
        if (it != states_.end() && it->second != panel.selected(i)) {
            const Effects repaint = panel.setSelected(i, it->second);
            out.insert(out.end(), repaint.begin(), repaint.end());
        }
    }
    return out;
}

}  // namespace lv::skin
