#pragma once
// The free-rotate tool (1141): dragging a corner turns the frame about its centre in whole
// degrees; the release renders the layer rotated from its source. The inside moves it.

#include "edit/tools/placement/layer_frame_tool.h"
#include "edit/tools/tool_registry.h"

namespace lv {

class LayerRotateTool final : public LayerFrameTool {
public:
    int id() const override { return tool_id::kLayerRotate; }
    // The rotation of the drag under way, whole degrees clockwise.
    int angle() const { return angle_; }

protected:
    bool offersEdges() const override { return false; }
    void dragHandle(const ToolContext& context, Point p) override;
    ToolResult applyHandle(ToolContext& context) override;
    void drawDrag(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor handleCursor(int handle) const override;

private:
    int angle_ = 0;
};

}  // namespace lv
