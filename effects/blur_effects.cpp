// Blurs that make a mood: motion, zoom and soft glow.

#include "effects/blur.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"

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

// One zoom pass: each pixel averages `samples` reads along the line to the centre, at
// scale factors exp(-span·i/(samples-1)).
void ZoomPass(ConstRaster in, Raster out, const Context& ctx, float span, int samples)
{
    const Sampler sampler(in, ctx);
    const float cx = ctx.fullWidth / 2.0f, cy = ctx.fullHeight / 2.0f;
    std::vector<float> factors(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i)
        factors[std::size_t(i)] = std::exp(-span * float(i) / float(samples - 1));
    const int ch = in.channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * ch * samples, ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < out.width; ++x, d += ch) {
                const float dx = float(ctx.originX + x) + 0.5f - cx, dy = float(ctx.originY + y) + 0.5f - cy;
                float sum[3] = {0, 0, 0};
                for (const float t : factors) {
                    float c[3];
                    sampler.sample(cx + dx * t - 0.5f, cy + dy * t - 0.5f, c);
                    for (int k = 0; k < ch; ++k)
                        sum[k] += c[k];
                }
                for (int k = 0; k < ch; ++k)
                    d[k] = ClampByte(sum[k] / float(samples));
            }
        }
    });
}

void RunZoomBlur(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // The streak covers this fraction of the way to the centre. Three passes of a few
    // reads, each finer than the last, smooth it as well as hundreds of reads would.
    const float reach = float(0.3 * p.strength(0));
    if (reach <= 0) {
        CopyRaster(in, out);
        return;
    }
    constexpr int kSamples = 6;
    const float span = -std::log(1.0f - reach);
    OwnedRaster first(in.width, in.height, in.channels), second(in.width, in.height, in.channels);
    ZoomPass(in, first.view(), ctx, span, kSamples);
    ZoomPass(first.view(), second.view(), ctx, span / kSamples, kSamples);
    ZoomPass(second.view(), out, ctx, span / (kSamples * kSamples), kSamples);
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
