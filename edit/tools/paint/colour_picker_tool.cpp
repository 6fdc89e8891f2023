#include "edit/tools/paint/colour_picker_tool.h"

#include "common/beep.h"
#include "edit/selection/colour_match.h"

namespace lv {

std::optional<RgbTriple> CompositeColourAt(const LayerStack& stack, Point p)
{
    const HDIB& composite = stack.composite;
    if (!IsFillablePicture(composite) || p.x < 0 || p.y < 0 || p.x >= composite.width() || p.y >= composite.height())
        return std::nullopt;
    const SeedColour c = PictureColourAt(composite, p.x, p.y);
    return RgbTriple{c.red, c.green, c.blue};
}

ToolResult ColourPickerTool::press(ToolContext& context, const PointerEvent& event)
{
    const auto colour = CompositeColourAt(context.document(), event.point);
    if (!colour) {
        ui::Beep(context.ui(), "outside the picture");
        return ToolResult::Handled();
    }
    if (event.button == MouseButton::Left)
        context.setActiveColour(*colour);
    else
        context.setSecondaryColour(*colour);
    return ToolResult::Handled();
}

}  // namespace lv
