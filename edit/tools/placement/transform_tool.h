#pragma once
// The transform tool (1121), the one the transform buttons choose: it hands everything to
// the layer resize tool (1140) or the free-rotate tool (1141), by the buttons' choice. While
// the chosen one does not exist the transform tool does nothing.

#include "edit/tools/tool.h"

namespace lv {

class TransformTool final : public Tool {
public:
    int id() const override { return 1121; }
    ToolResult press(ToolContext& c, const PointerEvent& e) override { return forward(c, &Tool::press, e); }
    ToolResult move(ToolContext& c, const PointerEvent& e) override { return forward(c, &Tool::move, e); }
    ToolResult release(ToolContext& c, const PointerEvent& e) override { return forward(c, &Tool::release, e); }
    ToolResult doubleClick(ToolContext& c, const PointerEvent& e) override { return forward(c, &Tool::doubleClick, e); }
    ToolResult key(ToolContext& c, const KeyEvent& e) override { return forward(c, &Tool::key, e); }
    ToolResult tick(ToolContext& c) override;
    ToolResult chosen(ToolContext& c) override;
    ToolResult activate(ToolContext& c) override;
    ToolResult cancel(ToolContext& c) override;
    void drawOverlay(const ToolContext& c, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext& c, Point p) const override;
    bool dragging() const override;

private:
    // The tool the buttons chose; null while it does not exist.
    static Tool* chosenTool(const ToolContext& context);
    template <class Event>
    ToolResult forward(ToolContext& context, ToolResult (Tool::*handler)(ToolContext&, const Event&), const Event& e)
    {
        Tool* tool = chosenTool(context);
        return tool ? (tool->*handler)(context, e) : ToolResult{};
    }
};

}  // namespace lv
