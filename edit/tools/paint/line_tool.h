#pragma once
// The line tool (1127): a drag draws a straight line with the current brush on release;
// Shift snaps it to 45 degrees.

#include "edit/paint/paint_stroke.h"
#include "edit/tools/paint/drag_line.h"

namespace lv {

class LineTool final : public DragLineTool {
public:
    int id() const override { return 1127; }

protected:
    bool snapsWithShift() const override { return true; }
    ToolResult finishLine(ToolContext& context, const DragLine& line, const PointerEvent& release) override;
};

// Draws the line with the brush as one stroke (one undo step), a dab at every pixel of
// travel. The document rectangle changed, or nothing.
std::optional<Rect> DrawBrushLine(LayerStack& stack, ui::Service& ui, const StrokeSetup& brush, Point from,
                                          Point to);

}  // namespace lv
