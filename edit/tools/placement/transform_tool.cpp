#include "edit/tools/placement/transform_tool.h"

#include "edit/tools/tool_registry.h"

namespace lv {

Tool* TransformTool::chosenTool(const ToolContext& context)
{
    const int id = context.settings().transform == TransformChoice::FreeRotate ? tool_id::kLayerRotate
                                                                                : tool_id::kLayerResize;
    return Tools().find(id);
}

ToolResult TransformTool::tick(ToolContext& c)
{
    Tool* tool = chosenTool(c);
    return tool ? tool->tick(c) : ToolResult{};
}

ToolResult TransformTool::chosen(ToolContext& c)
{
    Tool* tool = chosenTool(c);
    return tool ? tool->chosen(c) : ToolResult{};
}

ToolResult TransformTool::activate(ToolContext& c)
{
    Tool* tool = chosenTool(c);
    return tool ? tool->activate(c) : ToolResult{};
}

ToolResult TransformTool::cancel(ToolContext& c)
{
    // Both, since the choice may have changed while one of them was busy.
    ToolResult result;
    for (const int id : {tool_id::kLayerResize, tool_id::kLayerRotate})
        if (Tool* tool = Tools().find(id); tool && tool->dragging())
            result = tool->cancel(c);
    return result;
}

void TransformTool::drawOverlay(const ToolContext& c, OverlayPainter& painter) const
{
    if (const Tool* tool = chosenTool(c))
        tool->drawOverlay(c, painter);
}

ToolCursor TransformTool::cursor(const ToolContext& c, Point p) const
{
    const Tool* tool = chosenTool(c);
    return tool ? tool->cursor(c, p) : ToolCursor::Arrow;
}

bool TransformTool::dragging() const
{
    for (const int id : {tool_id::kLayerResize, tool_id::kLayerRotate})
        if (const Tool* tool = Tools().find(id); tool && tool->dragging())
            return true;
    return false;
}

}  // namespace lv
