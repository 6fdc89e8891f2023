#include "edit/tools/selection/shape_selection_tool.h"

#include "edit/selection/selection.h"
#include "edit/tools/overlay_painter.h"
#include "edit/tools/selection/selection_modes.h"

namespace lv {

ToolResult ShapeSelectionTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    dragging_ = true;
    moved_ = false;
    mode_ = CombineModeFor(event.keys, pageMode(context));
    anchor_ = corner_ = event.point;
    return ToolResult::Redraw(SpanOf(anchor_, corner_));
}

ToolResult ShapeSelectionTool::move(ToolContext&, const PointerEvent& event)
{
    if (!dragging_ || event.point == corner_)
        return {};
    const Rect before = SpanOf(anchor_, corner_);
    corner_ = event.point;
    moved_ = true;
    return ToolResult::Redraw(UniteRects(before, SpanOf(anchor_, corner_)));
}

ToolResult ShapeSelectionTool::release(ToolContext& context, const PointerEvent& event)
{
    if (!dragging_ || event.button != MouseButton::Left)
        return {};
    dragging_ = false;
    corner_ = event.point;
    moved_ = moved_ && !(corner_ == anchor_);
    return finish(context, SpanOf(anchor_, corner_), !moved_);
}

ToolResult ShapeSelectionTool::finish(ToolContext& context, Rect band, bool clicked)
{
    LayerStack& stack = context.document();
    if (clicked) {
        if (mode_ != CombineMode::New || !RemoveSelection(stack))
            return ToolResult::Redraw(band);
        return ToolResult::Redraw({0, 0, stack.width, stack.height});
    }
    std::optional<SelectionRegion> region = shape_ == SelectionShape::Ellipse ? EllipseRegion(band) : RectangleRegion(band);
    if (!region)
        return ToolResult::Redraw(band);
    const auto changed = ChangeSelection(stack, std::move(*region), mode_, kUndoShapeSelection);
    return ToolResult::Redraw(changed ? UniteRects(*changed, band) : band);
}

CombineMode ShapeSelectionTool::pageMode(const ToolContext& context) const
{
    return context.settings().wand.combine;
}

ToolResult ShapeSelectionTool::key(ToolContext& context, const KeyEvent& event)
{
    if (event.key == ToolKey::Escape && dragging_)
        return cancel(context);
    return NudgeSelectionOutline(context, event);
}

ToolResult ShapeSelectionTool::cancel(ToolContext&)
{
    if (!dragging_)
        return {};
    dragging_ = false;
    return ToolResult::Redraw(SpanOf(anchor_, corner_));
}

void ShapeSelectionTool::drawOverlay(const ToolContext&, OverlayPainter& painter) const
{
    if (!dragging_)
        return;
    const Rect band = SpanOf(anchor_, corner_);
    if (shape_ == SelectionShape::Ellipse)
        painter.rubberEllipse(band);
    else
        painter.rubberBand(band);
}

}  // namespace lv
