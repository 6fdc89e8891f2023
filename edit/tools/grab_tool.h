#pragma once
// The grab tool (1108): dragging moves the view with the pointer.

#include "edit/tools/tool.h"

namespace lv {

class GrabTool final : public Tool {
public:
    int id() const override { return 1108; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override
    {
        if (event.button != MouseButton::Left)
            return {};
        dragging_ = true;
        start_ = event.client;
        startScroll_ = context.scrollPosition();
        return ToolResult::Handled();
    }
    ToolResult move(ToolContext& context, const PointerEvent& event) override
    {
        if (!dragging_)
            return {};
        context.scrollTo({startScroll_.x - (event.client.x - start_.x), startScroll_.y - (event.client.y - start_.y)});
        return ToolResult::Handled();
    }
    ToolResult release(ToolContext&, const PointerEvent& event) override
    {
        if (event.button == MouseButton::Left)
            dragging_ = false;
        return ToolResult::Handled();
    }
    ToolResult cancel(ToolContext&) override
    {
        dragging_ = false;
        return {};
    }
    ToolCursor cursor(const ToolContext&, Point) const override
    {
        return dragging_ ? ToolCursor::ClosedHand : ToolCursor::OpenHand;
    }
    bool dragging() const override { return dragging_; }
    bool worksWithoutLayers() const override { return true; }

private:
    bool dragging_ = false;
    Point start_;
    Point startScroll_;
};

}  // namespace lv
