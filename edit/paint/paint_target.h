#pragma once
// The layer a painting or fill tool works on, and what they share about it: the depth
// check with its message, the colour as the layer takes it, the selection's working copies.

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "imagelib/rgb_triple.h"

#include <array>
#include <optional>

namespace lv {

inline constexpr int kUnsupportedDepthString = 2340;
inline constexpr int kNoCloneSourceString = 2341;

struct PaintTarget {
    LayerRecord* layer = nullptr;
    Rect rect;  // the layer's top-down document rectangle (right and bottom exclusive)
    bool grey = false;
};

// The current layer when its image is 24-bit or 8-bit grey with a mask of its size;
// otherwise a beep and message 2340 (nothing said when there is no layer at all).
std::optional<PaintTarget> PaintableLayer(LayerStack& stack, ui::Service& ui);

// The colour in the layer's memory order: blue, green, red; a grey layer's value in [0].
std::array<std::uint8_t, 3> LayerColour(RgbTriple colour, bool grey);

// Copies the layer's image and mask under the selection rectangle into the document's
// working copies (selectionAux, floatingMask) unless they are there already. False when
// memory runs out.
bool MakeWorkingCopies(LayerStack& stack, const PaintTarget& target);

// Brings the working copies up to date with the layer over `area` (top-down document
// rectangle, right and bottom exclusive), so content lifted by a move keeps what was
// painted on it.
void RefreshWorkingCopies(LayerStack& stack, const PaintTarget& target, const Rect& area);

// Whether the selection (if any) takes document pixel (x, y); true without a selection.
bool SelectionAllows(const LayerStack& stack, int x, int y);

}  // namespace lv
