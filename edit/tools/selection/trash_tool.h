#pragma once
// The trash tool (1124): choosing it, or clicking with it, takes the selection away.

#include "edit/tools/tool.h"

namespace lv {

class TrashTool final : public Tool {
public:
    int id() const override { return 1124; }
    ToolResult chosen(ToolContext& context) override { return clear(context); }
    ToolResult press(ToolContext& context, const PointerEvent& event) override
    {
        return event.button == MouseButton::Left ? clear(context) : ToolResult{};
    }
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Trash; }

private:
    static ToolResult clear(ToolContext& context);
};

}  // namespace lv
