#pragma once
// The rectangle and ellipse selection tools: a drag from one corner to the other shows a
// rubber band; the release selects the shape. A click without a drag takes the selection
// away (or, with Shift or Alt, leaves it alone). Esc drops the band.

#include "edit/selection/shape_mask.h"
#include "edit/tools/tool.h"

namespace lv {

class ShapeSelectionTool : public Tool {
public:
    ShapeSelectionTool(int id, SelectionShape shape)
        : id_(id)
        , shape_(shape)
    {
    }

    int id() const override { return id_; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Crosshair; }
    bool dragging() const override { return dragging_; }
    bool animatesSelection() const override { return true; }

protected:
    // What the release does with the band; the crop tool chooses otherwise for a click.
    virtual ToolResult finish(ToolContext& context, Rect band, bool clicked);
    CombineMode mode() const { return mode_; }
    // The mode a drag without keys combines by: the selection page's.
    virtual CombineMode pageMode(const ToolContext& context) const;

private:
    int id_;
    SelectionShape shape_;
    bool dragging_ = false;
    bool moved_ = false;
    CombineMode mode_ = CombineMode::New;
    Point anchor_;
    Point corner_;
};

}  // namespace lv
