#include "edit/tools/placement/layer_rotate_tool.h"

#include "edit/placement/layer_placement.h"
#include "edit/tools/overlay_painter.h"

namespace lv {

void LayerRotateTool::dragHandle(const ToolContext&, Point p)
{
    const int cx = (saved_.left + saved_.right) / 2;
    const int cy = (saved_.top + saved_.bottom) / 2;
    const Point corner{handle_ == kHandleTopLeft || handle_ == kHandleBottomLeft ? saved_.left : saved_.right,
                              handle_ == kHandleTopLeft || handle_ == kHandleTopRight ? saved_.top : saved_.bottom};
    angle_ = DirectionDegrees(p.x - cx, p.y - cy) - DirectionDegrees(corner.x - cx, corner.y - cy);
}

ToolResult LayerRotateTool::applyHandle(ToolContext& context)
{
    const int angle = angle_;
    angle_ = 0;
    if (angle % 360 != 0)
        if (const auto changed = RotateCurrentLayer(context.document(), angle))
            return ToolResult::Changed({changed->left, changed->top, changed->right, changed->bottom});
    return redrawAll(context);
}

void LayerRotateTool::drawDrag(const ToolContext& context, OverlayPainter& painter) const
{
    if (handle_ == kHandleInside) {
        LayerFrameTool::drawDrag(context, painter);
        return;
    }
    std::array<Point, 4> corners{};
    const auto rotated = RotatedCorners(saved_, angle_);
    for (std::size_t i = 0; i < 4; ++i)
        corners[i] = DocumentPointOf(context.mapping(), rotated[i]);
    painter.polyline(corners, true);
    for (const Point corner : corners)
        painter.handle(corner, 5);
}

ToolCursor LayerRotateTool::handleCursor(int handle) const
{
    switch (handle) {
    case kHandleTopLeft:
    case kHandleBottomRight: return ToolCursor::SizeNesw;
    case kHandleBottomLeft:
    case kHandleTopRight: return ToolCursor::SizeNwse;
    default: return ToolCursor::Rotate;
    }
}

}  // namespace lv
