#pragma once
// Where the colour panel's parts lie in the "Cores" box (control 142) of the two variants:
// the two swatches and the tool bar, in the box's coordinates.

#include "app/skin/geometry.h"
#include "app/skin/screen_table.h"

namespace lv::skin {

inline constexpr int kColourToolsControl = 142;

struct ColourPanelLayout {
    Rect active;
    Rect secondary;
    int toolbarPanel;  // the skin's panel of the tool bar's buttons
    Point toolbar;
    bool captions;  // names and values under the swatches
};

constexpr ColourPanelLayout ColourPanelLayoutFor(SkinVariant variant)
{
    if (variant == SkinVariant::Large)
        return {Rect::fromSize(18, 34, 56, 56), Rect::fromSize(100, 34, 56, 56), kLargeColourBarPanel, {172, 34}, true};
    return {Rect::fromSize(6, 5, 24, 36), Rect::fromSize(34, 5, 24, 36), kColourBarPanel, {63, 2}, false};
}

}  // namespace lv::skin
