#include "edit/tools/paint/pattern_fill_tool.h"

#include "common/beep.h"
#include "edit/paint/pattern_fill.h"

namespace lv {

ToolResult PatternFillTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    const PaintOptions& options = context.settings().paint;
    if (!options.texture) {
        ui::Beep(context.ui(), "no texture chosen");
        return ToolResult::Handled();
    }
    const auto changed = PatternFill(context.document(), context.ui(), event.point, *options.texture, options);
    if (!changed)
        return ToolResult::Handled();
    return ToolResult::Painted(*changed);
}

}  // namespace lv
