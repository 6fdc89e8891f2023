#pragma once
// Test commands that click the skin's buttons where the 1024 × 768 window draws them.

#include "app/skin/button_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lv::testing {

// The centre of the first button of `panel` that `matches`, in its panel's coordinates
// shifted by `offset` (where the panel sits in the main window).
template <class Match>
std::string ClickOn(int panel, Match matches, skin::Point offset = {})
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
        if (matches(b)) {
            const skin::Rect r = b.placeIn(skin::SkinVariant::Large).translated(offset.x, offset.y);
            return "click " + std::to_string(r.left + r.width() / 2) + " " + std::to_string(r.top + r.height() / 2);
        }
    ADD_FAILURE() << "no such button on panel " << panel;
    return {};
}

// A button of the main window's own panel.
inline std::string ClickOnControl(int controlId)
{
    return ClickOn(0, [&](const skin::ButtonDefinition& b) { return b.controlId == controlId; });
}

// A page button: the one on `panel` that switches to `screen`.
inline std::string ClickOnPage(int panel, std::uint32_t screen, skin::Point host)
{
    return ClickOn(
        panel, [&](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::SwitchScreen && b.argument == screen; },
        host);
}

// Where the side panels (control 101) sit.
inline skin::Point SidePanelPlace()
{
    const skin::Rect r = skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, 101))].placeIn(skin::SkinVariant::Large);
    return {r.left, r.top};
}

// The button on `panel` that runs `handler` (with `argument`, when one is given), the panel
// sitting at `host`: by default among the side panels.
inline std::string ClickOnHandler(int panel, skin::Handler handler, std::optional<std::uint32_t> argument = std::nullopt,
                                  skin::Point host = SidePanelPlace())
{
    return ClickOn(
        panel,
        [&](const skin::ButtonDefinition& b) { return b.handler == handler && (!argument || b.argument == *argument); },
        host);
}

}  // namespace lv::testing
