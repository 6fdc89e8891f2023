#pragma once
// The crop tool (1122): a drag selects a rectangle as the rectangle tool does; a click
// inside the selection, a double click or Return crops the document to the selection.

#include "edit/tools/selection/shape_selection_tool.h"

namespace lv {

class CropTool final : public ShapeSelectionTool {
public:
    CropTool()
        : ShapeSelectionTool(1122, SelectionShape::Rectangle)
    {
    }

    ToolResult doubleClick(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolCursor cursor(const ToolContext& context, Point point) const override;
    bool animatesSelection() const override { return true; }

protected:
    ToolResult finish(ToolContext& context, Rect band, bool clicked) override;
    // The band picks what to keep; the selection page's mode is not on this tool's page.
    CombineMode pageMode(const ToolContext&) const override { return CombineMode::New; }

private:
    static ToolResult crop(ToolContext& context);
};

}  // namespace lv
