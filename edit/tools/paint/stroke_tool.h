#pragma once
// The painting tools that lay dabs along the mouse: pen (1116), brush (1114), airbrush
// (1113), smudge (1115), lighten/darken (1117), blur/sharpen (1118), clone (1119), eraser
// (1120) and red-eye removal (1129). What each does to a dab is its own pixel rule
// (edit/paint/*_rule.cpp); the stroke, the cursor and the clone source are shared here.

#include "edit/paint/paint_stroke.h"
#include "edit/tools/tool.h"

namespace lv {

class StrokeTool final : public Tool {
public:
    StrokeTool(int id, PaintKind kind)
        : id_(id)
        , kind_(kind)
    {
    }

    int id() const override { return id_; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult move(ToolContext& context, const PointerEvent& event) override;
    ToolResult release(ToolContext& context, const PointerEvent& event) override;
    ToolResult cancel(ToolContext& context) override;
    void drawOverlay(const ToolContext& context, OverlayPainter& painter) const override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Brush; }
    bool dragging() const override { return stroke_.active(); }
    bool takesRightButton() const override { return kind_ == PaintKind::Clone; }
    bool repeatsWhileHeld() const override { return kind_ == PaintKind::Brush || kind_ == PaintKind::Airbrush; }

    // The clone source (document point), set by the right button.
    const std::optional<Point>& cloneSource() const { return source_; }
    const PaintStroke& stroke() const { return stroke_; }
    PaintKind kind() const { return kind_; }

private:
    StrokeSetup setup(const ToolContext& context, const PointerEvent& event) const;
    ToolResult painted();
    ToolResult moveOutline(const ToolContext& context, Point to);

    int id_;
    PaintKind kind_;
    PaintStroke stroke_;
    StrokeSetup current_;
    std::optional<Point> source_;
    std::optional<Point> offset_;  // source less press point, kept by "aligned"
    std::optional<Point> hover_;   // where the brush outline is drawn
};

}  // namespace lv
