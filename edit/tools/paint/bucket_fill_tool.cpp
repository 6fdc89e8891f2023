#include "edit/tools/paint/bucket_fill_tool.h"

#include "edit/paint/bucket_fill.h"

namespace lv {

ToolResult BucketFillTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    const auto changed = BucketFill(context.document(), context.ui(), event.point, context.activeColour(),
                                    context.settings().paint);
    if (!changed)
        return ToolResult::Handled();
    return ToolResult::Painted(*changed);
}

}  // namespace lv
