#pragma once
// What the layer resize and free-rotate tools share: the frame around the current layer,
// grabbing a handle, moving the whole frame, and dropping a drag when the window loses
// the mouse.

#include "edit/tools/tool.h"
#include "edit/tools/placement/transform_frame.h"

#include <optional>

namespace lv {

class LayerFrameTool : public Tool {
public:
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolResult activate(ToolContext& context) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext& context, Point point) const override;
    bool dragging() const override { return dragging_; }

    // The handle grabbed by the drag under way (kHandleNone when idle), and the frame.
    int grabbed() const { return dragging_ ? handle_ : kHandleNone; }
    const Rect& frame() const { return frame_; }

protected:
    // Which handles this tool offers: the edges too, or only the corners.
    virtual bool offersEdges() const = 0;
    // The pointer moved to `p` with a corner or edge grabbed.
    virtual void dragHandle(const ToolContext& context, Point p) = 0;
    // The button came up with a corner or edge grabbed; the drag state is still set.
    virtual ToolResult applyHandle(ToolContext& context) = 0;
    virtual void drawDrag(const ToolContext& context, OverlayPainter& painter) const;
    virtual ToolCursor handleCursor(int handle) const = 0;

    // The current layer's frame in client pixels, or nothing without a layer.
    static std::optional<Rect> layerFrame(const ToolContext& context);
    ToolResult redrawAll(const ToolContext& context) const;
    void endDrag() { dragging_ = false; }

    Rect frame_;
    Rect saved_;
    Point pressed_;
    int handle_ = kHandleNone;
    bool dragging_ = false;
};

}  // namespace lv
