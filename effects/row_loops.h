#pragma once
// The effects' usual loop: every row of the result, split over the context's threads.

#include "effects/operation.h"
#include "effects/parallel.h"

namespace lv::effects {

// Runs perRow(y, row) for every row of `out`.
template<typename PerRow>
void ForRows(const Raster& out, const Context& ctx, const PerRow& perRow)
{
    ParallelFor(out.height, ThreadsFor((long long)out.height * (long long)out.rowSamples(), ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            perRow(y, out.row(y));
    });
}

}  // namespace lv::effects
