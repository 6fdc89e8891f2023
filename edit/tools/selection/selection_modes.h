#pragma once
// How the selection tools read the keys held when a selection starts: Shift adds to the
// selection in place, Alt takes away from it, both together keep what the two share.

#include "edit/selection/selection.h"
#include "edit/tools/tool.h"

namespace lv {

inline CombineMode CombineModeFor(const Modifiers& keys, CombineMode otherwise = CombineMode::New)
{
    if (keys.shift && keys.alt)
        return CombineMode::Intersect;
    if (keys.shift)
        return CombineMode::Add;
    if (keys.alt)
        return CombineMode::Subtract;
    return otherwise;
}

// The mode a selection started now combines by: the selection page's mode ("Somar à seleção",
// "Tirar da seleção"), which every selection tool shares, unless a key held overrides it.
inline CombineMode SelectionModeFor(const ToolContext& context, const Modifiers& keys)
{
    return CombineModeFor(keys, context.settings().wand.combine);
}

// The rectangle of pixels from one corner pixel to the other, both included.
inline Rect SpanOf(Point a, Point b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

// Ctrl or Shift with an arrow: the displacement it nudges by (1 or 10 pixels), none for
// other keys.
std::optional<Point> NudgeOf(const KeyEvent& key);

// The selection tools' answer to Ctrl/Shift with an arrow: the outline moves.
ToolResult NudgeSelectionOutline(ToolContext& context, const KeyEvent& key);

}  // namespace lv
