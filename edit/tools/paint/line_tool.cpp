#include "edit/tools/paint/line_tool.h"

namespace lv {

std::optional<Rect> DrawBrushLine(LayerStack& stack, ui::Service& ui, const StrokeSetup& brush, Point from,
                                          Point to)
{
    StrokeSetup setup = brush;
    setup.options.brush.speed = 32;  // a line has no gaps, whatever the brush's speed
    PaintStroke stroke;
    if (!stroke.step(stack, ui, setup, from, true))
        return std::nullopt;
    if (!(to == from))
        stroke.step(stack, ui, setup, to, false);
    stroke.finish();
    return stroke.takeChanged();
}

ToolResult LineTool::finishLine(ToolContext& context, const DragLine& line, const PointerEvent&)
{
    StrokeSetup brush;
    brush.kind = PaintKind::Brush;
    brush.options = context.settings().paint;
    brush.colour = context.activeColour();
    const auto changed = DrawBrushLine(context.document(), context.ui(), brush, line.from, line.to);
    return changed ? ToolResult::Painted(*changed) : ToolResult{};
}

}  // namespace lv
