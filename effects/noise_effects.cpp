// Noise: added colour noise, film grain, and despeckling.

#include "effects/blur.h"
#include "effects/luma_stream.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/pixel_noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lv::effects {

namespace {

// Noise of one picture pixel shrinks when many are averaged into one working pixel.
float PreviewDamping(const Context& ctx)
{
    return float(std::min(1.0, ctx.scale));
}

void RunNoise(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float amplitude = float(36.0 * p.strength(0)) * PreviewDamping(ctx);
    const int ch = in.channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * (long long)out.rowSamples(), ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < out.width; ++x)
                for (int c = 0; c < ch; ++c)
                    d[x * ch + c] = ClampByte(s[x * ch + c] + amplitude * BellNoise(ctx.originX + x, ctx.originY + y, kOpNoise + 31u * std::uint32_t(c)));
        }
    });
}

constexpr double kGrainSize = 0.5;  // effect units

void RunFilmGrain(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double size = kGrainSize * ctx.effectUnit();
    const auto grain = FilledBlurStream(in.width, in.height, 1, [&ctx](int y, int first, int end, float* row) {
        for (int x = first; x < end; ++x)
            row[x] = BellNoise(ctx.originX + x, ctx.originY + y, kOpFilmGrain);
    }, GaussianBoxes(size), GaussianBoxes(size), kStepKept, ctx.threads);
    // Blurring white noise lowers its spread; bring it back so strength means the same.
    const float restore = float(std::max(1.0, 2.0 * std::sqrt(std::numbers::pi) * size));
    const float amplitude = float(40.0 * p.strength(0)) * restore * PreviewDamping(ctx);
    const int ch = in.channels;
    ForRowSteps(out, ctx, [&](int last) { grain->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const std::uint8_t* s = in.row(y);
        const float* g = grain->row(y);
        for (int x = 0; x < out.width; ++x) {
            const float l = (ch == 3 ? Luma(s + 3 * x) : s[x]) / 255.0f;
            // Grain shows most in the midtones, as on film.
            const float n = amplitude * g[x] * (0.25f + 3.0f * l * (1.0f - l));
            for (int c = 0; c < ch; ++c)
                d[x * ch + c] = ClampByte(s[x * ch + c] + n);
        }
    });
}

// Orders a and b sample by sample (a gets the smaller); vectorises across the row.
void Order(std::uint8_t* a, std::uint8_t* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t lo = std::min(a[i], b[i]), hi = std::max(a[i], b[i]);
        a[i] = lo;
        b[i] = hi;
    }
}

void RunDespeckle(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Only samples that stand out from their neighbours' median by more than this change:
    // 60 levels at the lowest sensitivity down to none at the highest, falling fastest at
    // first so that the faint differences of noise get as many steps as the bold ones.
    const int threshold = int(std::lround(61.0 * std::pow(61.0, -p.strength(0)) - 1.0));
    const int ch = in.channels;
    const std::size_t n = in.rowSamples();
    ParallelFor(out.height, ThreadsFor((long long)out.height * (long long)n * 9, ctx.threads), [&](int begin, int end) {
        // Nine rows of the row's neighbours (edges repeat the border), put through the
        // median-of-nine exchange network all at once.
        std::vector<std::uint8_t> window(9 * n);
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* rows[3] = {in.row(std::max(y - 1, 0)), in.row(y), in.row(std::min(y + 1, in.height - 1))};
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i) {
                    std::uint8_t* w = window.data() + std::size_t(j * 3 + i) * n;
                    const std::uint8_t* r = rows[j];
                    for (int x = 0; x < in.width; ++x) {
                        const int from = std::clamp(x + (i - 1), 0, in.width - 1) * ch;
                        for (int c = 0; c < ch; ++c)
                            w[x * ch + c] = r[from + c];
                    }
                }
            const auto at = [&](int k) { return window.data() + std::size_t(k) * n; };
            const auto sort2 = [&](int a, int b) { Order(at(a), at(b), n); };
            sort2(1, 2), sort2(4, 5), sort2(7, 8), sort2(0, 1), sort2(3, 4), sort2(6, 7);
            sort2(1, 2), sort2(4, 5), sort2(7, 8), sort2(0, 3), sort2(5, 8), sort2(4, 7);
            sort2(3, 6), sort2(1, 4), sort2(2, 5), sort2(4, 7), sort2(4, 2), sort2(6, 4);
            sort2(4, 2);
            const std::uint8_t* median = at(4);
            const std::uint8_t* s = rows[1];
            std::uint8_t* d = out.row(y);
            for (std::size_t i = 0; i < n; ++i)
                d[i] = std::abs(int(s[i]) - int(median[i])) > threshold ? median[i] : s[i];
        }
    });
}

constexpr OperationSpec kNoise[] = {
    {kOpNoise, 1, 1, false, false, false, nullptr, RunNoise},
    {kOpFilmGrain, 1, 1, false, false, false,
     [](const Parameters&, const Context& c) { return GaussianReach(kGrainSize * c.effectUnit()) + 1; }, RunFilmGrain},
    {kOpDespeckle, 1, 1, true, false, false, [](const Parameters&, const Context&) { return 2; }, RunDespeckle},
};

}  // namespace

std::span<const OperationSpec> NoiseEffects()
{
    return kNoise;
}

}  // namespace lv::effects
