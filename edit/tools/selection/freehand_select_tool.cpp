#include "edit/tools/selection/freehand_select_tool.h"

#include "edit/tools/overlay_painter.h"
#include "edit/tools/selection/selection_modes.h"

#include <algorithm>
#include <cstdlib>

namespace lv {
namespace {

constexpr std::size_t kPointStep = 1000;  // the point list grows by this many at a time
constexpr int kCloseDistance = 4;         // client pixels from the first corner that close a polygon

}  // namespace

void FreehandSelectTool::add(Point p)
{
    if (!points_.empty() && points_.back() == p)
        return;
    if (points_.size() == points_.capacity())
        points_.reserve(points_.capacity() + kPointStep);
    points_.push_back(p);
}

Rect FreehandSelectTool::extent() const
{
    Rect r{hover_.x, hover_.y, hover_.x + 1, hover_.y + 1};
    for (const Point& p : points_)
        r = UniteRects(r, {p.x, p.y, p.x + 1, p.y + 1});
    return r;
}

bool FreehandSelectTool::nearFirst(const ToolContext& context, Point p) const
{
    if (points_.size() < 3)
        return false;
    const Point first = context.mapping().centre(points_.front());
    const Point here = context.mapping().centre(p);
    return std::abs(here.x - first.x) <= kCloseDistance && std::abs(here.y - first.y) <= kCloseDistance;
}

ToolResult FreehandSelectTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    pressed_ = true;
    movedWhilePressed_ = false;
    hover_ = event.point;
    if (state_ == State::Polygon) {
        if (nearFirst(context, event.point))
            return close(context);
        add(event.point);
        return ToolResult::Redraw(extent());
    }
    points_.clear();
    points_.reserve(kPointStep);
    mode_ = SelectionModeFor(context, event.keys);
    add(event.point);
    state_ = State::Freehand;
    return ToolResult::Redraw(extent());
}

ToolResult FreehandSelectTool::move(ToolContext&, const PointerEvent& event)
{
    if (state_ == State::Idle)
        return {};
    const Rect before = extent();
    hover_ = event.point;
    if (pressed_ && state_ == State::Freehand && !(points_.back() == event.point)) {
        add(event.point);
        movedWhilePressed_ = true;
    }
    return ToolResult::Redraw(UniteRects(before, extent()));
}

ToolResult FreehandSelectTool::release(ToolContext& context, const PointerEvent& event)
{
    if (!pressed_ || event.button != MouseButton::Left)
        return {};
    pressed_ = false;
    if (state_ == State::Freehand) {
        if (movedWhilePressed_ && points_.size() > 2)
            return close(context);
        // A click without a drag starts a polygon at that corner.
        state_ = State::Polygon;
    }
    return ToolResult::Redraw(extent());
}

ToolResult FreehandSelectTool::doubleClick(ToolContext& context, const PointerEvent&)
{
    if (state_ != State::Polygon)
        return {};
    pressed_ = false;
    return points_.size() > 2 ? close(context) : drop();
}

ToolResult FreehandSelectTool::key(ToolContext& context, const KeyEvent& event)
{
    if (event.key == ToolKey::Escape && state_ != State::Idle)
        return drop();
    if (event.key == ToolKey::Return && state_ == State::Polygon)
        return points_.size() > 2 ? close(context) : drop();
    return NudgeSelectionOutline(context, event);
}

ToolResult FreehandSelectTool::cancel(ToolContext&)
{
    return state_ == State::Idle ? ToolResult{} : drop();
}

ToolResult FreehandSelectTool::drop()
{
    const Rect shown = extent();
    state_ = State::Idle;
    pressed_ = false;
    points_.clear();
    points_.shrink_to_fit();
    return ToolResult::Redraw(shown);
}

ToolResult FreehandSelectTool::close(ToolContext& context)
{
    const Rect shown = extent();
    std::optional<SelectionRegion> region = PolygonRegion(points_);
    const CombineMode mode = mode_;
    drop();
    if (!region)
        return ToolResult::Redraw(shown);
    const auto changed = ChangeSelection(context.document(), std::move(*region), mode, kUndoShapeSelection);
    return ToolResult::Redraw(changed ? UniteRects(*changed, shown) : shown);
}

void FreehandSelectTool::drawOverlay(const ToolContext&, OverlayPainter& painter) const
{
    if (state_ == State::Idle)
        return;
    if (state_ == State::Polygon && !pressed_) {
        std::vector<Point> shown = points_;
        shown.push_back(hover_);
        painter.polyline(shown, false);
        return;
    }
    painter.polyline(points_, false);
}

}  // namespace lv
