#pragma once
// The stamp tool (1110): each click puts the chosen stamp picture down at the point, sized
// by the brush size.

#include "edit/tools/tool.h"

namespace lv {

class StampTool final : public Tool {
public:
    int id() const override { return 1110; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
};

}  // namespace lv
