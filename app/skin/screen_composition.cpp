#include "app/skin/screen_composition.h"

namespace lv::skin {

std::vector<PlacedPanel> ComposeScreen(int screen, Size baseSize, const ControlRectLookup& controlRect)
{
    const ScreenComposition& layout = ScreenLayout(screen);
    std::vector<PlacedPanel> placed;
    if (layout.basePanel < 0)
        return placed;
    placed.push_back({layout.basePanel, Rect::fromSize({0, 0}, baseSize)});
    for (int i = 0; i < layout.nestedCount(); ++i) {
        const NestedPanel nested = layout.nested[i];
        std::optional<Rect> host;
        for (auto owner = placed.rbegin(); owner != placed.rend() && !host; ++owner)
            if (const auto rect = controlRect(owner->panel, nested.hostControl))
                host = rect->translated(owner->area.left, owner->area.top);
        if (!host)
            break;
        placed.push_back({nested.panel, *host});
    }
    return placed;
}

}  // namespace lv::skin
