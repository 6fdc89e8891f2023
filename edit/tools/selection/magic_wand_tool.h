#pragma once
// The magic wand (1104): a click selects the pixels like the clicked one by the wand's
// settings; Shift adds, Alt takes away, otherwise the option panel's mode applies.

#include "edit/tools/tool.h"

namespace lv {

class MagicWandTool final : public Tool {
public:
    int id() const override { return 1104; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolResult key(ToolContext& context, const KeyEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Wand; }
    bool animatesSelection() const override { return true; }
};

}  // namespace lv
