#pragma once
// The order in which a project screen steps through a template's placeholders with
// "Anterior" and "Próximo": from the bottom layer to the front one, every layer the user
// fills — photo and background placeholders and text layers. Calendar pieces follow the
// year and month, and decoration ("Enfeite", "Moldura") is the template's own artwork.

#include "edit/layer_stack.h"

#include <vector>

namespace lv {

// The placeholder layers' indexes, bottom first.
std::vector<int> PlaceholderLayers(const LayerStack& document);

// The placeholder `step` places after (+1) or before (−1) `current`, wrapping around; from
// a layer that is no placeholder, +1 gives the first and −1 the last. −1 when the template
// has none.
int StepPlaceholder(const LayerStack& document, int current, int step);

}  // namespace lv
