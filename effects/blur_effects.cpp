// Blurs that make a mood: motion, zoom and soft glow.

#include "effects/blur.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/zoom_blur.h"

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
    FloatImage image = ToFloat(in, ctx.threads);
    HorizontalBoxBlur(image, MotionLength(p, ctx), kMotionPasses, ctx.threads);
    FromFloat(image, out, ctx.threads);
}

constexpr double kGlowSpread = 6.0;

void RunSoftGlow(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    FloatImage glow = BlurredCopy(in, kGlowSpread * ctx.effectUnit(), ctx.threads);
    const float amount = float(0.25 + 0.65 * p.strength(0));
    ParallelFor(out.height, ThreadsFor((long long)out.height * (long long)out.rowSamples(), ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            const float* g = glow.row(y);
            std::uint8_t* d = out.row(y);
            for (std::size_t i = 0; i < out.rowSamples(); ++i) {
                // Screen the bright haze over the picture: light spreads, nothing darkens.
                const float haze = amount * 255.0f * std::pow(g[i] / 255.0f, 1.6f);
                d[i] = ClampByte(255.0f - (255.0f - s[i]) * (255.0f - haze) / 255.0f);
            }
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
