#include "edit/tools/placement/layer_resize_tool.h"

#include "edit/placement/layer_placement.h"

namespace lv {

ToolResult LayerResizeTool::press(ToolContext& context, const PointerEvent& event)
{
    ToolResult result = LayerFrameTool::press(context, event);
    if (!dragging_)
        return result;
    // The shape corners keep: the layer's own unless a selection exists, else the frame's.
    const LayerStack& stack = context.document();
    const double layerAspect = stack.layers[std::size_t(stack.currentLayer)].aspect;
    if (stack.selectionActive == 0 && layerAspect != 0)
        aspect_ = layerAspect;
    else
        aspect_ = double(frame_.width()) / double(frame_.height() < 1 ? 1 : frame_.height());
    if (aspect_ == 0)
        aspect_ = 1;
    return result;
}

void LayerResizeTool::dragHandle(const ToolContext&, Point p)
{
    frame_ = DragFrame(saved_, frame_, handle_, p.x - pressed_.x, p.y - pressed_.y, aspect_);
}

ToolResult LayerResizeTool::applyHandle(ToolContext& context)
{
    const Rect box = DocumentFrame(context.mapping(), frame_);
    // A click on a handle changes nothing: no render, no undo step.
    if (!(frame_ == saved_) && box.left < box.right && box.top < box.bottom) {
        if (const auto changed = ResizeCurrentLayer(context.document(), box))
            return ToolResult::Changed({changed->left, changed->top, changed->right, changed->bottom});
    }
    return redrawAll(context);
}

ToolCursor LayerResizeTool::handleCursor(int handle) const
{
    switch (handle) {
    case kHandleTopLeft:
    case kHandleBottomRight: return ToolCursor::SizeNwse;
    case kHandleTopRight:
    case kHandleBottomLeft: return ToolCursor::SizeNesw;
    case kHandleLeft:
    case kHandleRight: return ToolCursor::SizeWe;
    case kHandleTop:
    case kHandleBottom: return ToolCursor::SizeNs;
    default: return ToolCursor::Arrow;
    }
}

}  // namespace lv
