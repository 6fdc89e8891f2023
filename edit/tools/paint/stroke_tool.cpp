#include "edit/tools/paint/stroke_tool.h"

#include "edit/selection/selection.h"
#include "edit/tools/overlay_painter.h"

namespace lv {
namespace {

// The outline's rectangle (right and bottom exclusive) around a point, a pixel to spare.
Rect outlineRect(Point centre, int diameter)
{
    const int half = diameter / 2 + 2;
    return {centre.x - half, centre.y - half, centre.x + half + 1, centre.y + half + 1};
}

}  // namespace

StrokeSetup StrokeTool::setup(const ToolContext& context, const PointerEvent& event) const
{
    StrokeSetup s;
    s.kind = kind_;
    s.options = context.settings().paint;
    s.colour = context.activeColour();
    s.alternate = event.keys.alt;
    s.cloneOffset = offset_;
    return s;
}

ToolResult StrokeTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button == MouseButton::Right) {
        if (kind_ != PaintKind::Clone)
            return {};
        source_ = event.point;
        offset_.reset();
        return ToolResult::Handled();
    }
    if (kind_ == PaintKind::Clone && source_ && (!offset_ || !context.settings().paint.cloneAligned))
        offset_ = Point{source_->x - event.point.x, source_->y - event.point.y};
    current_ = setup(context, event);
    if (!stroke_.step(context.document(), context.ui(), current_, event.point, true))
        return ToolResult::Handled();
    return painted();
}

ToolResult StrokeTool::move(ToolContext& context, const PointerEvent& event)
{
    if (!stroke_.active())
        return moveOutline(context, event.point);
    stroke_.step(context.document(), context.ui(), current_, event.point, false);
    hover_ = event.point;
    return painted();
}

ToolResult StrokeTool::release(ToolContext&, const PointerEvent&)
{
    if (!stroke_.active())
        return {};
    stroke_.finish();
    return ToolResult::Handled();
}

ToolResult StrokeTool::cancel(ToolContext&)
{
    stroke_.finish();
    hover_.reset();
    return {};
}

ToolResult StrokeTool::painted()
{
    const auto changed = stroke_.takeChanged();
    return changed ? ToolResult::Painted(*changed) : ToolResult::Handled();
}

ToolResult StrokeTool::moveOutline(const ToolContext& context, Point to)
{
    const auto before = hover_;
    hover_ = to;
    if (!context.settings().paint.brush.show)
        return {};
    const int d = DabSize(kind_, context.settings().paint);
    const Rect now = outlineRect(to, d);
    return ToolResult::Redraw(before ? UniteRects(outlineRect(*before, d), now) : now);
}

void StrokeTool::drawOverlay(const ToolContext& context, OverlayPainter& painter) const
{
    if (hover_ && context.settings().paint.brush.show)
        painter.brushOutline(*hover_, DabSize(kind_, context.settings().paint));
}

}  // namespace lv
