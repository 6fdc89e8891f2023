#include "edit/tools/selection/magic_wand_tool.h"

#include "common/beep.h"
#include "edit/selection/magic_wand.h"
#include "edit/tools/selection/selection_modes.h"

namespace lv {

ToolResult MagicWandTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    WandSettings settings = context.settings().wand;
    settings.combine = CombineModeFor(event.keys, settings.combine);
    Rect redraw;
    LayerStack& stack = context.document();
    if (!MagicWandClick(stack, event.point, settings, &redraw)) {
        ui::Beep(context.ui(), "outside the picture");
        return ToolResult::Handled();
    }
    return ToolResult::Redraw(redraw);
}

ToolResult MagicWandTool::key(ToolContext& context, const KeyEvent& event)
{
    return NudgeSelectionOutline(context, event);
}

}  // namespace lv
