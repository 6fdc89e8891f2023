#include "app/skin/screen_composition.h"

namespace lv::skin {

std::vector<PlacedPanel> ComposeScreen(int screen, WindowSize baseSize, const ControlRectLookup& controlRect)
{
    const ScreenComposition& layout = ScreenLayout(screen);
    std::vector<PlacedPanel> placed;
    if (layout.basePanel < 0)
        return placed;
    placed.push_back({layout.basePanel, {0, 0, baseSize.width, baseSize.height}});
    for (int i = 0; i < layout.nestedCount(); ++i) {
        const NestedPanel nested = layout.nested[i];
        std::optional<Rect> host;
        for (auto owner = placed.rbegin(); owner != placed.rend() && !host; ++owner)
            if (const auto rect = controlRect(owner->panel, nested.hostControl))
                host = rect->translated(owner->area.x, owner->area.y);
        if (!host)
            break;
        placed.push_back({nested.panel, *host});
    }
    return placed;
}

}  // namespace lv::skin
