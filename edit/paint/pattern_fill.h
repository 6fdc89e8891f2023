#pragma once
// The pattern fill: a texture tiled from the document's top-left corner into the
// selection, or without one into the region of colours like the clicked pixel.

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "edit/paint/paint_options.h"

#include <optional>

namespace lv {

// Records undo step 3088 and fills with `texture` (any picture the fills read). The
// document rectangle changed (right and bottom exclusive), or nothing when refused.
std::optional<Rect> PatternFill(LayerStack& stack, ui::Service& ui, Point point, const HDIB& texture,
                                        const PaintOptions& options);

}  // namespace lv
