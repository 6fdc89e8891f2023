// Blurs that make a mood: motion, zoom and soft glow.

#include "effects/blur.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"

#include <algorithm>
#include <cmath>

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

void RunZoomBlur(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const Sampler sampler(in, ctx);
    const float cx = ctx.fullWidth / 2.0f, cy = ctx.fullHeight / 2.0f;
    // The streak runs toward the centre over this fraction of the distance to it.
    const float reach = float(0.3 * p.strength(0));
    constexpr int kSamples = 24;
    const int ch = in.channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * ch * kSamples, ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < out.width; ++x, d += ch) {
                const float ax = float(ctx.originX + x) + 0.5f, ay = float(ctx.originY + y) + 0.5f;
                float sum[3] = {0, 0, 0};
                for (int i = 0; i < kSamples; ++i) {
                    const float t = 1.0f - reach * float(i) / float(kSamples - 1);
                    float c[3];
                    sampler.sample(cx + (ax - cx) * t - 0.5f, cy + (ay - cy) * t - 0.5f, c);
                    for (int k = 0; k < ch; ++k)
                        sum[k] += c[k];
                }
                for (int k = 0; k < ch; ++k)
                    d[k] = ClampByte(sum[k] / kSamples);
            }
        }
    });
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
