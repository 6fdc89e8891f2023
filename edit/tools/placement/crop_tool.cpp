#include "edit/tools/placement/crop_tool.h"

#include "common/beep.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"

namespace lv {

ToolResult CropTool::crop(ToolContext& context)
{
    if (!CropToSelection(context.document())) {
        ui::Beep(context.ui(), "nothing to crop");
        return ToolResult::Handled();
    }
    return ToolResult::Document();
}

ToolResult CropTool::finish(ToolContext& context, Rect band, bool clicked)
{
    if (clicked && SelectionContains(context.document(), {band.left, band.top}))
        return crop(context);
    return ShapeSelectionTool::finish(context, band, clicked);
}

ToolResult CropTool::doubleClick(ToolContext& context, const PointerEvent&)
{
    return context.document().selectionActive ? crop(context) : ToolResult{};
}

ToolResult CropTool::key(ToolContext& context, const KeyEvent& event)
{
    if (event.key == ToolKey::Return && !dragging())
        return context.document().selectionActive ? crop(context) : ToolResult{};
    return ShapeSelectionTool::key(context, event);
}

ToolCursor CropTool::cursor(const ToolContext& context, Point point) const
{
    return SelectionContains(context.document(), point) ? ToolCursor::Crop : ToolCursor::Crosshair;
}

}  // namespace lv
