#pragma once
// The on-screen composite over the transparency grid, and merging layers into one.

#include "edit/layer_stack.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lv {

// The grid under the layers: 8 × 8 cells, white odd cells and the scheme's colour in even
// ones. The scheme (0, 1 or 2) is a configuration choice, process-wide; others count as 0.
void SetTransparencyGridScheme(int scheme);
int TransparencyGridScheme();
// Red, green, blue of an even cell.
std::array<std::uint8_t, 3> GridEvenColour(int scheme);

// Rebuilds the composite over `rect` (clipped to the document), or over the whole document.
void CompositeLayers(LayerStack& stack, std::optional<Rect> rect = std::nullopt);

enum class MergeMode {
    Visible = 0,  // all visible layers; the result replaces the current record's content
    Linked = 2,   // the linked layers become one record
};

// Returns the index of the record holding the result, or -1 (stack unchanged) when nothing
// can be merged or the result cannot be allocated. It records no undo step: a caller that
// wants one records it first.
// In linked mode the result takes the current layer's record when that layer is linked,
// else the front-most linked record's; a merge whose layers are all hidden has no
// rectangle and fails unless `wholeDocument` is set.
int MergeLayers(LayerStack& stack, MergeMode mode, bool wholeDocument);

// Merges the linked layers (undo step 13105 with their indexes unless `keepLinks`).
bool MergeLinkedLayers(LayerStack& stack, bool keepLinks);

}  // namespace lv
