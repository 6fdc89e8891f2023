#pragma once
// The freehand and polygon selection tool (1103): a drag draws a freehand outline that the
// release closes; clicks without dragging set polygon corners, and a double click or a click
// on the first corner closes the polygon. Esc drops it.

#include "edit/selection/selection.h"
#include "edit/tools/tool.h"

#include <vector>

namespace lv {

class FreehandSelectTool final : public Tool {
public:
    int id() const override { return 1103; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult doubleClick(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
    bool dragging() const override { return pressed_; }
    bool animatesSelection() const override { return true; }

private:
    enum class State { Idle, Freehand, Polygon };
    ToolResult close(ToolContext& context);
    ToolResult drop();
    Rect extent() const;
    bool nearFirst(const ToolContext& context, Point p) const;
    void add(Point p);

    State state_ = State::Idle;
    bool pressed_ = false;
    bool movedWhilePressed_ = false;
    CombineMode mode_ = CombineMode::New;
    std::vector<Point> points_;
    Point hover_;  // where the next polygon side goes
};

}  // namespace lv
