#pragma once
// The bucket fill (1112): a click fills the similar colours around it with the active colour.

#include "edit/tools/tool.h"

namespace lv {

class BucketFillTool final : public Tool {
public:
    int id() const override { return 1112; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
};

}  // namespace lv
