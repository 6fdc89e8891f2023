#include "edit/tools/paint/stamp_tool.h"

#include "common/beep.h"
#include "edit/paint/stamp_picture.h"

namespace lv {

ToolResult StampTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    const PaintOptions& options = context.settings().paint;
    if (!options.stamp) {
        ui::Beep(context.ui(), "no stamp chosen");
        return ToolResult::Handled();
    }
    const auto changed = StampPicture(context.document(), context.ui(), event.point, *options.stamp, options.brush.size);
    if (!changed)
        return ToolResult::Handled();
    return ToolResult::Painted(*changed);
}

}  // namespace lv
