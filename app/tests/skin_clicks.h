#pragma once
// Test commands that click the skin's buttons of the large variant, found by what they are.

#include "app/skin/button_table.h"

#include <gtest/gtest.h>

#include <string>

namespace lv::testing {

// The centre of the first button of `panel` that `matches`, in its panel's coordinates
// shifted by `offset`.
template <class Match>
std::string ClickOn(int panel, Match matches, skin::Point offset = {})
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
        if (matches(b)) {
            const skin::Rect r = b.placeIn(skin::SkinVariant::Large).translated(offset.x, offset.y);
            return "click " + std::to_string(r.x + r.width / 2) + " " + std::to_string(r.y + r.height / 2);
        }
    ADD_FAILURE() << "no such button on panel " << panel;
    return {};
}

inline std::string ClickOnControl(int controlId)
{
    return ClickOn(0, [&](const skin::ButtonDefinition& b) { return b.controlId == controlId; });
}

inline std::string ClickOnPage(int panel, std::uint32_t screen, skin::Point host)
{
    return ClickOn(
        panel, [&](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::SwitchScreen && b.argument == screen; },
        host);
}

// Where the first nested panel lies: control 101 of the base panel.
inline skin::Point PageHost()
{
    const skin::Rect host =
        skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, 101))].placeIn(skin::SkinVariant::Large);
    return {host.x, host.y};
}

}  // namespace lv::testing
