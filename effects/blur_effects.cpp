// Blurs that make a mood: motion, zoom and soft glow.

#include "effects/blur.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/zoom_blur.h"
#include "effects/luma_stream.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lv::effects {

namespace {

double MotionLength(const Parameters& p, const Context& ctx)
{
    return (1.0 + 24.0 * p.strength(0)) * ctx.effectUnit();
}

constexpr int kMotionPasses = 2;

void RunMotionBlur(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Along rows only: each row is blurred on its own, a few at a time.
    const double length = MotionLength(p, ctx);
    const int r = int(std::floor(length));
    const std::vector<BoxPass> passes(kMotionPasses, BoxPass{r, float(length - r)});
    const int ch = in.channels;
    const auto streak = FilledBlurStream(in.width, in.height, ch, [in, ch](int y, int first, int end, float* row) {
        const std::uint8_t* s = in.row(y);
        for (std::size_t i = std::size_t(first) * std::size_t(ch), n = std::size_t(end) * std::size_t(ch); i < n; ++i)
            row[i] = float(s[i]);
    }, passes, {}, kStepKept, ctx.threads);
    ForRowSteps(out, ctx, [&](int last) { streak->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const float* v = streak->row(y);
        for (std::size_t i = 0; i < out.rowSamples(); ++i)
            d[i] = ClampByte(v[i]);
    });
}

constexpr double kGlowSpread = 6.0;

void RunSoftGlow(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const auto glow = BlurredCopyStream(in, kGlowSpread * ctx.effectUnit(), kStepKept, ctx.threads);
    const float amount = float(0.25 + 0.65 * p.strength(0));
    const auto ready = [&](int last) { glow->makeThrough(last); };
    ForRowSteps(out, ctx, ready, [&](int y, std::uint8_t* d) {
        const std::uint8_t* s = in.row(y);
        const float* g = glow->row(y);
        for (std::size_t i = 0; i < out.rowSamples(); ++i) {
            // Screen the bright haze over the picture: light spreads, nothing darkens.
            const float haze = amount * 255.0f * std::pow(g[i] / 255.0f, 1.6f);
            d[i] = ClampByte(255.0f - (255.0f - s[i]) * (255.0f - haze) / 255.0f);
        }
    });
}

constexpr OperationSpec kBlurs[] = {
    {kOpMotionBlur, 1, 1, true, false, false,
     [](const Parameters& p, const Context& c) { return BoxReach(MotionLength(p, c), kMotionPasses) + 1; }, RunMotionBlur},
    {kOpZoomBlur, 1, 1, true, false, false, [](const Parameters&, const Context&) { return kWholePicture; }, RunZoomBlur},
    {kOpSoftGlow, 1, 1, true, false, false,
     [](const Parameters&, const Context& c) { return GaussianReach(kGlowSpread * c.effectUnit()) + 1; }, RunSoftGlow},
};

}  // namespace

std::span<const OperationSpec> BlurEffects()
{
    return kBlurs;
}

}  // namespace lv::effects
