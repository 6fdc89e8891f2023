#pragma once
// Making the transition a slide is drawn with.

#include "output/show_random.h"
#include "output/transition.h"
#include "output/transition_table.h"

#include <memory>

namespace lv {

// The transition of `choice` for a slide of width x height (a size below 1 x 1 gives a
// transition with one step that draws nothing). A variant outside the transition's range
// is reduced into it: "Apagar" takes it modulo 3, and transitions of one form ignore it.
std::unique_ptr<Transition> MakeTransition(TransitionChoice choice, int width, int height, ShowRandom& random);

}  // namespace lv
