#pragma once
// Which buttons of a panel show as chosen on a given screen: the title-bar button of the
// screen's area, and the page buttons (radio groups of screen switches) naming the screen.

#include <vector>

namespace lv::skin {

// The selection flags (kSelected or not) of `panel`'s buttons while `screen` shows: the
// table's flags, except that an area button is selected when it leads to the screen's area,
// and in a radio group of screen switches the member naming the screen is selected, or,
// when no member names it, the member naming the screen's first nested panel.
std::vector<int> SelectionOnScreen(int panel, int screen);

}  // namespace lv::skin
