#pragma once
// The pattern fill (1128): a click tiles the chosen texture into the selection, or into the
// similar colours around the click.

#include "edit/tools/tool.h"

namespace lv {

class PatternFillTool final : public Tool {
public:
    int id() const override { return 1128; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
};

}  // namespace lv
