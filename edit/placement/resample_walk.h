#pragma once
// The resampler's inner walk: each output row's run of samples that fall inside the source is
// found once, the rest takes the background, and colour pixels inside are interpolated with
// vector instructions where the processor has them. The integers are those of the plain walk.

#include "edit/layer_stack.h"

#include <cstdint>
#include <vector>

namespace lv {

struct ResampleWalk {
    std::vector<double> colX, colY;  // per output column, in eighths of a source pixel
    double rowXk = 0, rowYk = 0;     // per output row
    double vOrigin = 0;
    double centreX = 0, centreY = 0;
    std::uint8_t fill[3] = {};
};

// Fills every row of `out` (of the source's depth, 8 or 24 bits) using up to `threads`
// threads (0: every processor). Rows are independent, so the result never depends on it.
void WalkRows(const HDIB& source, HDIB& out, const ResampleWalk& walk, int threads);

}  // namespace lv
