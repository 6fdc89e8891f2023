#include "edit/tools/placement/layer_frame_tool.h"

#include "edit/layers.h"
#include "edit/placement/layer_placement.h"
#include "edit/tools/overlay_painter.h"

namespace lv {

std::optional<Rect> LayerFrameTool::layerFrame(const ToolContext& context)
{
    const auto box = CurrentLayerBox(context.document());
    if (!box)
        return std::nullopt;
    return ClientFrame(context.mapping(), *box);
}

ToolResult LayerFrameTool::redrawAll(const ToolContext& context) const
{
    const LayerStack& stack = context.document();
    return ToolResult::Redraw({0, 0, stack.width, stack.height});
}

ToolResult LayerFrameTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left || dragging_)
        return {};
    const auto frame = layerFrame(context);
    if (!frame)
        return {};
    const int handle = FrameHandleAt(*frame, event.client, offersEdges());
    if (handle == kHandleNone)
        return {};
    frame_ = saved_ = *frame;
    pressed_ = event.client;
    handle_ = handle;
    dragging_ = true;
    return ToolResult::Handled();
}

ToolResult LayerFrameTool::move(ToolContext& context, const PointerEvent& event)
{
    if (!dragging_)
        return {};
    if (handle_ == kHandleInside)
        frame_ = DragFrame(saved_, frame_, handle_, event.client.x - pressed_.x, event.client.y - pressed_.y, 1);
    else
        dragHandle(context, event.client);
    return redrawAll(context);
}

ToolResult LayerFrameTool::release(ToolContext& context, const PointerEvent& event)
{
    if (!dragging_ || event.button != MouseButton::Left)
        return {};
    ToolResult result;
    if (handle_ == kHandleInside) {
        const Rect target = DocumentFrame(context.mapping(), frame_);
        const auto changed = MoveCurrentLayer(context.document(), target);
        result = changed ? ToolResult::Changed({changed->left, changed->top, changed->right, changed->bottom})
                         : redrawAll(context);
    } else {
        result = applyHandle(context);
    }
    dragging_ = false;
    return result;
}

ToolResult LayerFrameTool::key(ToolContext& context, const KeyEvent& event)
{
    return event.key == ToolKey::Escape && dragging_ ? cancel(context) : ToolResult{};
}

ToolResult LayerFrameTool::activate(ToolContext& context)
{
    return redrawAll(context);
}

ToolResult LayerFrameTool::cancel(ToolContext& context)
{
    if (!dragging_)
        return {};
    dragging_ = false;
    handle_ = kHandleNone;
    return redrawAll(context);
}

void LayerFrameTool::drawDrag(const ToolContext& context, OverlayPainter& painter) const
{
    const Rect box = DocumentFrame(context.mapping(), frame_);
    painter.rubberBand(box);
    for (const Point corner : {Point{box.left, box.top}, Point{box.right - 1, box.top},
                                       Point{box.left, box.bottom - 1}, Point{box.right - 1, box.bottom - 1}})
        painter.handle(corner, 5);
}

void LayerFrameTool::drawOverlay(const ToolContext& context, OverlayPainter& painter) const
{
    if (dragging_) {
        drawDrag(context, painter);
        return;
    }
    // Idle: the handles of the current layer's box.
    const auto box = CurrentLayerBox(context.document());
    if (!box)
        return;
    painter.rubberBand(*box);
    for (const Point corner : {Point{box->left, box->top}, Point{box->right - 1, box->top},
                                       Point{box->left, box->bottom - 1},
                                       Point{box->right - 1, box->bottom - 1}})
        painter.handle(corner, 5);
}

ToolCursor LayerFrameTool::cursor(const ToolContext& context, Point point) const
{
    if (dragging_)
        return handle_ == kHandleInside ? ToolCursor::Move : handleCursor(handle_);
    const auto frame = layerFrame(context);
    if (!frame)
        return handleCursor(kHandleNone);
    const int handle = FrameHandleAt(*frame, context.mapping().centre(point), offersEdges());
    return handle == kHandleInside ? ToolCursor::Move : handleCursor(handle);
}

}  // namespace lv
