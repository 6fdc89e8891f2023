#pragma once
// Toggles (kind 8) are one switch shown on several screens: the state a toggle takes on one
// screen is what the same control shows on every other screen of its skin file.

#include "app/skin/panel_input.h"

#include <map>
#include <string>
#include <utility>

namespace lv::skin {

class ToggleMemory {
public:
    void remember(const std::string& skinFile, const effect::MirrorToggle& toggle);
    // Sets every toggle of a freshly loaded panel to the remembered state; answers the repaints.
    Effects apply(const std::string& skinFile, PanelInput& panel) const;

private:
    std::map<std::pair<std::string, int>, bool> states_;
};

}  // namespace lv::skin
