#include "edit/tools/paint/gradient_tool.h"

#include "edit/paint/gradient_fill.h"

namespace lv {

ToolResult GradientTool::finishLine(ToolContext& context, const DragLine& line, const PointerEvent& release)
{
    const auto changed = GradientFill(context.document(), context.ui(), line.from, line.to, context.activeColour(),
                                      context.secondaryColour(), release.keys.shift ? GradientShape::Radial : GradientShape::Linear);
    if (!changed)
        return {};
    return ToolResult::Painted(*changed);
}

}  // namespace lv
