#pragma once
// The layer resize tool (1140): corners keep the layer's shape, edges move one side, the
// inside moves the layer; the release renders the layer afresh from its source.

#include "edit/tools/placement/layer_frame_tool.h"
#include "edit/tools/tool_registry.h"

namespace lv {

class LayerResizeTool final : public LayerFrameTool {
public:
    int id() const override { return tool_id::kLayerResize; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;

protected:
    bool offersEdges() const override { return true; }
    void dragHandle(const ToolContext& context, Point p) override;
    ToolResult applyHandle(ToolContext& context) override;
    ToolCursor handleCursor(int handle) const override;

private:
    double aspect_ = 1;
};

}  // namespace lv
