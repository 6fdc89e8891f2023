#include "edit/tools/paint/drag_line.h"

#include "edit/selection/selection.h"
#include "edit/tools/overlay_painter.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace lv {

Point SnapTo45Degrees(Point from, Point to)
{
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int ax = std::abs(dx), ay = std::abs(dy);
    // Within 22.5 degrees (tangent 0.414) of an axis the line lies on it; else on a diagonal.
    if (ay * 1000 <= ax * 414)
        return {to.x, from.y};
    if (ax * 1000 <= ay * 414)
        return {from.x, to.y};
    const int d = std::max(ax, ay);
    return {from.x + (dx < 0 ? -d : d), from.y + (dy < 0 ? -d : d)};
}

Rect DragLine::bounds() const
{
    return {std::min(from.x, to.x) - 1, std::min(from.y, to.y) - 1, std::max(from.x, to.x) + 2,
            std::max(from.y, to.y) + 2};
}

Point DragLineTool::endFor(const PointerEvent& event) const
{
    return snapsWithShift() && event.keys.shift ? SnapTo45Degrees(line_->from, event.point) : event.point;
}

ToolResult DragLineTool::press(ToolContext&, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    line_ = DragLine{event.point, event.point};
    return ToolResult::Redraw(line_->bounds());
}

ToolResult DragLineTool::move(ToolContext&, const PointerEvent& event)
{
    if (!line_)
        return {};
    const Rect before = line_->bounds();
    line_->to = endFor(event);
    return ToolResult::Redraw(UniteRects(before, line_->bounds()));
}

ToolResult DragLineTool::release(ToolContext& context, const PointerEvent& event)
{
    if (!line_)
        return {};
    line_->to = endFor(event);
    const DragLine line = *line_;
    line_.reset();
    ToolResult result = finishLine(context, line, event);
    if (!result.changed)
        return ToolResult::Redraw(line.bounds());
    return result;
}

ToolResult DragLineTool::cancel(ToolContext&)
{
    if (!line_)
        return {};
    const Rect bounds = line_->bounds();
    line_.reset();
    return ToolResult::Redraw(bounds);
}

void DragLineTool::drawOverlay(const ToolContext&, OverlayPainter& painter) const
{
    if (!line_)
        return;
    const std::array<Point, 2> points{line_->from, line_->to};
    painter.polyline(points, false);
}

}  // namespace lv
