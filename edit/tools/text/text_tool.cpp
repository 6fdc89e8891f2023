#include "edit/tools/text/text_tool.h"

#include "common/beep.h"
#include "edit/layers.h"
#include "edit/selection/selection_content.h"
#include "edit/tools/tool_registry.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <cstdlib>

namespace lv {

int TextTool::id() const
{
    return tool_id::kText;
}

TextToolChoice TextTool::DefaultChoice()
{
    TextToolChoice choice;
    choice.settings.font.height = -32;
    choice.settings.font.weight = 400;
    choice.settings.font.faceName = "Arial";
    return choice;
}

int StartingTextHeight(int lastUsed, int pictureHeight)
{
    const bool fits = lastUsed > 0 && lastUsed * 40 >= pictureHeight && lastUsed * 2 <= pictureHeight;
    return fits ? lastUsed : std::max(1, (pictureHeight + 5) / 10);
}

int TextLayerAt(const LayerStack& stack, Point point)
{
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        if (layer.kind != LAYER_TEXT || !layer.visible || !layer.textObject)
            continue;
        const auto rect = GetLayerTopDownRect(stack, i);
        if (rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom)
            return i;
    }
    return -1;
}

ToolResult TextTool::press(ToolContext& context, const PointerEvent& event)
{
    if (event.button != MouseButton::Left)
        return {};
    FontLibrary* fonts = screen_ ? screen_->fonts() : nullptr;
    if (!fonts) {
        ui::Beep(context.ui(), "no fonts");
        return ToolResult::Handled();
    }
    LayerStack& stack = context.document();
    const int hit = TextLayerAt(stack, event.point);
    const bool editing = hit >= 0;
    TextToolChoice choice = choice_;
    if (editing) {
        choice.settings = SettingsOfTextObject(*stack.layers[std::size_t(hit)].textObject);
        choice.dropShadow = false;
    } else {
        const RgbTriple colour = context.activeColour();
        choice.settings.colour = std::uint32_t(colour.red) | std::uint32_t(colour.green) << 8 | std::uint32_t(colour.blue) << 16;
        choice.settings.left = event.point.x;
        choice.settings.top = event.point.y;
        const int last = sizeUsed_ ? std::abs(choice.settings.font.height) : 0;
        choice.settings.font.height = -StartingTextHeight(last, int(stack.height));
    }
    if (!screen_->edit(choice, editing))
        return ToolResult::Handled();
    // The lettering and its shadow are what the user did in one dialog: one undo step, with
    // lifted content put down before the lettering's layer becomes current.
    const UndoAction action(stack);
    if (editing)
        SwitchCurrentLayer(stack, hit);
    else
        DropLiftedContent(stack);
    if (CreateOrUpdateTextLayer(&stack, *fonts, choice.settings, editing) != kTextLayerOk) {
        ui::Beep(context.ui(), "text layer refused");
        return ToolResult::Handled();
    }
    if (choice.dropShadow)
        AddDropShadow(stack, choice.shadow);
    // The next lettering starts from these choices, but at its own place and colour.
    choice_ = choice;
    choice_.settings.text.clear();
    sizeUsed_ = true;
    return ToolResult::Document();
}

}  // namespace lv
