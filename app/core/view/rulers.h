#pragma once
// The rulers along the top and left edges of an image window: tick marks and numbers in
// document pixels that follow the zoom and the scroll position.

#include <vector>

namespace lv {

// The band's width: the vertical scroll bar's and three pixels more.
inline int RulerBandFor(int scrollBarWidth)
{
    return scrollBarWidth + 3;
}

struct RulerTick {
    int position = 0;  // client pixel along the ruler
    int value = 0;     // document pixels
    bool labelled = false;
};

// Document pixels between numbered ticks: 1, 2 or 5 times a power of ten, the first whose
// distance on screen is at least `minimumSpacing` pixels at the zoom level.
int RulerStep(int zoom, int minimumSpacing);

// The ticks between client pixels `from` and `to` (exclusive) of a ruler whose document
// pixel 0 lies at client pixel `origin`, for a document `length` pixels long: numbered ticks
// every RulerStep, and unnumbered ones between them where there is room for them.
std::vector<RulerTick> RulerTicks(int zoom, int origin, int length, int from, int to, int minimumSpacing = 50);

}  // namespace lv
