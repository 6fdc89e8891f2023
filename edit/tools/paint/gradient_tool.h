#pragma once
// The gradient fill (1111): a drag from start to end fills the selection (or the layer)
// from the active colour to the secondary one; Shift makes it radial around the start.

#include "edit/tools/paint/drag_line.h"

namespace lv {

class GradientTool final : public DragLineTool {
public:
    int id() const override { return 1111; }

protected:
    bool snapsWithShift() const override { return false; }
    ToolResult finishLine(ToolContext& context, const DragLine& line, const PointerEvent& release) override;
};

}  // namespace lv
