#pragma once
// The colour picker (1123): the left button takes the colour shown at the point as the
// active colour, the right button as the secondary one.

#include "edit/tools/tool.h"

namespace lv {

class ColourPickerTool final : public Tool {
public:
    int id() const override { return 1123; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Picker; }
    bool worksWithoutLayers() const override { return true; }
    bool takesRightButton() const override { return true; }
};

// The composite's colour at a document pixel; nothing outside the document.
std::optional<RgbTriple> CompositeColourAt(const LayerStack& stack, Point point);

}  // namespace lv
