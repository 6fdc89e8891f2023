#pragma once
// The move-area tools. 1105 moves the selection's outline, or with Ctrl held the selected
// pixels with it; 1106 always moves the pixels. Moving pixels leaves the layer transparent
// behind them unless the keep-source setting is on (Alt swaps it for one move); moving them
// again puts back what they covered. Ctrl or Shift with an arrow nudges by 1 or 10 pixels.

#include "edit/tools/tool.h"

namespace lv {

class MoveAreaTool final : public Tool {
public:
    MoveAreaTool(int id, bool alwaysContent)
        : id_(id)
        , alwaysContent_(alwaysContent)
    {
    }

    int id() const override { return id_; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext& context, Point point) const override;
    bool dragging() const override { return dragging_; }

private:
    ToolResult moveBy(ToolContext& context, Point by, const Modifiers& keys);

    int id_;
    bool alwaysContent_;
    bool dragging_ = false;
    Point anchor_;
    Point offset_;
};

}  // namespace lv
