#pragma once
// The zoom tool (1107): a click zooms in one step about the clicked point; with Shift, Ctrl
// or Alt it zooms out.

#include "edit/tools/tool.h"

namespace lv {

class ZoomTool final : public Tool {
public:
    int id() const override { return 1107; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override
    {
        if (event.button != MouseButton::Left)
            return {};
        const bool out = event.keys.shift || event.keys.control || event.keys.alt;
        context.zoomAt(out ? -1 : +1, event.point);
        return ToolResult::Handled();
    }
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::ZoomIn; }
    bool worksWithoutLayers() const override { return true; }
};

}  // namespace lv
