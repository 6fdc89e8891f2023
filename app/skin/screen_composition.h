#pragma once
// Where the panels of a screen lie in the main window.

#include "app/skin/geometry.h"
#include "app/skin/screen_table.h"

#include <functional>
#include <optional>
#include <vector>

namespace lv::skin {

struct PlacedPanel {
    int panel = -1;
    Rect area;  // in main-window coordinates; the base panel's origin is (0, 0)
};

// The rectangle of a control in its panel's own coordinates, if the panel has it.
using ControlRectLookup = std::function<std::optional<Rect>(int panel, int controlId)>;

// The base panel (sized `baseSize`) followed by each nested panel, placed in its host
// control's rectangle. The host is looked for in the panel before it in the row, then in
// the panels before that down to the base. A nested panel whose host is nowhere is left out
// with everything nested after it.
std::vector<PlacedPanel> ComposeScreen(int screen, Size baseSize, const ControlRectLookup& controlRect);

}  // namespace lv::skin
