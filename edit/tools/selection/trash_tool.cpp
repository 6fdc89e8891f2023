#include "edit/tools/selection/trash_tool.h"

#include "edit/selection/selection.h"

namespace lv {

ToolResult TrashTool::clear(ToolContext& context)
{
    LayerStack& stack = context.document();
    const Rect shown = stack.selectionRect;
    if (!RemoveSelection(stack))
        return ToolResult::Handled();
    return ToolResult::Redraw(shown);
}

}  // namespace lv
