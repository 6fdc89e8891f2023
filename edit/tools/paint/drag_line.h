#pragma once
// Tools that act on a straight drag from the press to the release (line, gradient): the
// drag is shown as a dotted line until the button comes up.

#include "common/geometry.h"
#include "edit/tools/tool.h"

#include <optional>

namespace lv {

// The end point snapped so the line from `from` runs at a multiple of 45 degrees.
Point SnapTo45Degrees(Point from, Point to);

struct DragLine {
    Point from;
    Point to;
    // The rectangle holding the line (right and bottom exclusive), a pixel to spare.
    Rect bounds() const;
};

class DragLineTool : public Tool {
public:
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
    bool dragging() const override { return line_.has_value(); }

protected:
    // Shift snaps the end to 45 degrees (otherwise the tool gives Shift its own meaning).
    virtual bool snapsWithShift() const = 0;
    // The drag ended: do the tool's work.
    virtual ToolResult finishLine(ToolContext& context, const DragLine& line, const PointerEvent& release) = 0;

private:
    Point endFor(const PointerEvent& event) const;

    std::optional<DragLine> line_;
};

}  // namespace lv
