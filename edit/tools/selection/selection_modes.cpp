#include "edit/tools/selection/selection_modes.h"

#include "edit/selection/selection_content.h"

namespace lv {

std::optional<Point> NudgeOf(const KeyEvent& key)
{
    if (!key.keys.control && !key.keys.shift)
        return std::nullopt;
    const int step = key.keys.shift ? 10 : 1;
    switch (key.key) {
    case ToolKey::Left: return Point{-step, 0};
    case ToolKey::Right: return Point{step, 0};
    case ToolKey::Up: return Point{0, -step};
    case ToolKey::Down: return Point{0, step};
    default: return std::nullopt;
    }
}

ToolResult NudgeSelectionOutline(ToolContext& context, const KeyEvent& key)
{
    const auto step = NudgeOf(key);
    if (!step)
        return {};
    const auto moved = MoveSelectionOutline(context.document(), step->x, step->y);
    return moved ? ToolResult::Redraw(*moved) : ToolResult::Handled();
}

}  // namespace lv
