#pragma once
// The gradient fill: from the active colour where the drag started to the secondary colour
// where it ended, along the drag (linear) or around its start (radial), over the selection
// or the whole layer.

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "imagelib/rgb_triple.h"

#include <optional>

namespace lv {

enum class GradientShape { Linear, Radial };

// The colour at a document point: `from` has `start`, `to` (and beyond) has `end`.
RgbTriple GradientColourAt(Point point, Point from, Point to, RgbTriple start, RgbTriple end,
                           GradientShape shape);

// Records undo step 1067 and fills. The document rectangle changed (right and bottom
// exclusive), or nothing when refused.
std::optional<Rect> GradientFill(LayerStack& stack, ui::Service& ui, Point from, Point to,
                                         RgbTriple start, RgbTriple end, GradientShape shape);

}  // namespace lv
