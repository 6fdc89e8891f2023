#pragma once
// Blurred rows made a few at a time from a row recipe (the picture's luma, its bytes as
// floats, …): the values GaussianBlur and the box blurs give for the whole picture.

#include "effects/blur_stream.h"
#include "effects/operation.h"
#include "effects/parallel.h"
#include "effects/raster.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace lv::effects {

// Fills columns [first, end) of row y.
using RowFill = std::function<void(int y, int first, int end, float* row)>;

std::unique_ptr<BlurStream> FilledBlurStream(int width, int height, int channels, RowFill fill, std::vector<BoxPass> across,
                                             std::vector<BoxPass> down, int kept, int threads);

// The picture's luma (as LumaImage gives it), Gaussian-blurred.
std::unique_ptr<BlurStream> BlurredLumaStream(ConstRaster in, double sigma, int kept, int threads);
// The picture's samples as floats, Gaussian-blurred (as BlurredCopy gives them).
std::unique_ptr<BlurStream> BlurredCopyStream(ConstRaster in, double sigma, int kept, int threads);

// The same rows' luma in columns [first, end), as LumaImage computes it.
void LumaRow(const std::uint8_t* in, int first, int end, int channels, float* row);

// Rows of the result made in steps: prepare(last) makes whatever rows up to `last` the step
// reads, then perRow(y, row) runs for the step's rows over the threads.
inline constexpr int kStepRows = 32;
template<typename Prepare, typename PerRow>
void ForRowSteps(const Raster& out, const Context& ctx, const Prepare& prepare, const PerRow& perRow)
{
    for (int first = 0; first < out.height; first += kStepRows) {
        const int end = std::min(out.height, first + kStepRows);
        prepare(std::min(out.height - 1, end));
        ParallelFor(end - first, ThreadsFor((long long)(end - first) * (long long)out.rowSamples() * 4, ctx.threads),
                    [&](int begin, int stop) {
                        for (int y = first + begin; y < first + stop; ++y)
                            perRow(y, out.row(y));
                    });
    }
}

// Rows kept by streams read one row either side of a step.
inline constexpr int kStepKept = 2 * kStepRows + 4;

}  // namespace lv::effects
