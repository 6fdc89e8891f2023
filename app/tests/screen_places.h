#pragma once
// Where each panel of a screen sits in the 1024 × 768 window, for clicks on any screen.

#include "app/skin/button_table.h"
#include "app/skin/screen_table.h"

#include <string>
#include <utility>
#include <vector>

namespace lv::testing {

// A nested panel sits in its host control, found in the panels placed before it.
inline std::vector<std::pair<int, skin::Point>> PanelPlaces(int screen)
{
    const skin::ScreenComposition& layout = skin::ScreenLayout(screen);
    std::vector<std::pair<int, skin::Point>> places = {{layout.basePanel, {0, 0}}};
    for (int level = 1; level <= layout.nestedCount(); ++level) {
        const int host = layout.nested[std::size_t(level - 1)].hostControl;
        for (auto it = places.rbegin(); it != places.rend(); ++it)
            if (const int index = skin::ButtonIndexByControl(it->first, host); index >= 0) {
                const skin::Rect r = skin::PanelButtons(it->first)[std::size_t(index)].placeIn(skin::SkinVariant::Large);
                places.push_back({layout.panelAt(level), {it->second.x + r.left, it->second.y + r.top}});
                break;
            }
    }
    return places;
}

inline std::string ClickAt(const skin::ButtonDefinition& b, skin::Point place)
{
    const skin::Rect r = b.placeIn(skin::SkinVariant::Large).translated(place.x, place.y);
    return "click " + std::to_string(r.left + r.width() / 2) + " " + std::to_string(r.top + r.height() / 2);
}

// The click on the button with this caption on `screen`; empty when there is none.
inline std::string ClickOnCaption(int screen, std::string_view caption)
{
    for (const auto& [panel, place] : PanelPlaces(screen))
        for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
            if (b.art.caption == caption)
                return ClickAt(b, place);
    return {};
}

}  // namespace lv::testing
