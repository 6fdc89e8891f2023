#pragma once
// The magic wand: selects the pixels of the current layer like the clicked one, in its
// image and in its mask, and combines them with the selection in place.

#include "edit/selection/colour_match.h"
#include "edit/selection/selection.h"

#include <optional>

namespace lv {

struct WandSettings {
    bool contiguous = true;  // from the clicked pixel only, else the whole layer
    ChannelLimits tolerance{32, 32, 32};
    CombineMode combine = CombineMode::New;
};

// The region the wand selects on the current layer at a document point (clamped into the
// layer), in document coordinates; nothing for a document without layers or a layer whose
// pictures the fill does not take.
std::optional<SelectionRegion> WandRegion(const LayerStack& stack, Point point, bool contiguous,
                                          ChannelLimits tolerance);

// The whole click: the region combined by the settings' mode, recorded as step 7077 and
// stored trimmed. False when the wand could not select; `redraw` gets what to draw again.
bool MagicWandClick(LayerStack& stack, Point point, const WandSettings& settings,
                    Rect* redraw = nullptr);

}  // namespace lv
