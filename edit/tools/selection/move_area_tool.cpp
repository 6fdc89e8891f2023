#include "edit/tools/selection/move_area_tool.h"

#include "common/beep.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/selection_outline.h"
#include "edit/tools/overlay_painter.h"
#include "edit/tools/selection/selection_modes.h"

namespace lv {
namespace {

Rect moved(Rect r, Point by)
{
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

}  // namespace

ToolResult MoveAreaTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    if (context.document().selectionActive == 0) {
        ui::Beep(context.ui(), "no selection");
        return ToolResult::Handled();
    }
    dragging_ = true;
    anchor_ = event.point;
    offset_ = {};
    return ToolResult::Handled();
}

ToolResult MoveAreaTool::move(ToolContext& context, const PointerEvent& event)
{
    if (!dragging_)
        return {};
    const Rect& selection = context.document().selectionRect;
    const Rect before = moved(selection, offset_);
    offset_ = {event.point.x - anchor_.x, event.point.y - anchor_.y};
    return ToolResult::Redraw(UniteRects(before, moved(selection, offset_)));
}

ToolResult MoveAreaTool::release(ToolContext& context, const PointerEvent& event)
{
    if (!dragging_ || event.button != MouseButton::Left)
        return {};
    dragging_ = false;
    const Point by{event.point.x - anchor_.x, event.point.y - anchor_.y};
    offset_ = {};
    return moveBy(context, by, event.keys);
}

ToolResult MoveAreaTool::moveBy(ToolContext& context, Point by, const Modifiers& keys)
{
    LayerStack& stack = context.document();
    if (alwaysContent_ || keys.control) {
        const bool keepSource = context.settings().keepSource != keys.alt;
        const auto changed = MoveSelectionContent(stack, by.x, by.y, keepSource);
        return changed ? ToolResult::Changed(*changed)
                       : ToolResult::Handled();
    }
    const auto changed = MoveSelectionOutline(stack, by.x, by.y);
    return changed ? ToolResult::Redraw(*changed) : ToolResult::Handled();
}

ToolResult MoveAreaTool::key(ToolContext& context, const KeyEvent& event)
{
    if (event.key == ToolKey::Escape && dragging_)
        return cancel(context);
    const auto step = NudgeOf(event);
    if (!step || dragging_)
        return {};
    // The arrows move what a drag would; Ctrl is then the small step, not the content switch.
    Modifiers keys = event.keys;
    keys.control = false;
    return moveBy(context, *step, keys);
}

ToolResult MoveAreaTool::cancel(ToolContext& context)
{
    if (!dragging_)
        return {};
    dragging_ = false;
    const Rect shown = UniteRects(context.document().selectionRect,
                                          moved(context.document().selectionRect, offset_));
    offset_ = {};
    return ToolResult::Redraw(shown);
}

void MoveAreaTool::drawOverlay(const ToolContext& context, OverlayPainter& painter) const
{
    if (!dragging_ || (offset_.x == 0 && offset_.y == 0))
        return;
    painter.rubberBand(moved(context.document().selectionRect, offset_));
}

ToolCursor MoveAreaTool::cursor(const ToolContext& context, Point point) const
{
    return dragging_ || SelectionContains(context.document(), point) ? ToolCursor::Move : ToolCursor::Arrow;
}

}  // namespace lv
