// Tone and colour effects: pixel by pixel, apart from the position-dependent vignette and
// the old photo's softening.

#include "effects/blur.h"
#include "effects/luma_stream.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/pixel_noise.h"
#include "effects/point_ops.h"
#include "effects/row_loops.h"
#include "effects/statistics.h"
#include "effects/tone_helpers.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

namespace {

void ForEachPixel(ConstRaster in, Raster out, const Context& ctx, auto&& perPixel)
{
    ForRows(out, ctx, [&](int y, std::uint8_t* d) {
        const std::uint8_t* s = in.row(y);
        for (int x = 0; x < in.width; ++x, s += 3, d += 3)
            perPixel(x, y, s, d);
    });
}

void RunGrey(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const int keep = 256 - int(std::lround(p.strength(0) * 256));
    ForEachPixel(in, out, ctx, [keep](int, int, const std::uint8_t* s, std::uint8_t* d) {
        const int l = Luma(s);
        for (int c = 0; c < 3; ++c)
            d[c] = std::uint8_t(l + (((s[c] - l) * keep) >> 8));
    });
}

void RunSepia(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    std::array<Curve, 3> tone;
    for (int c = 0; c < 3; ++c)
        tone[std::size_t(c)] = SepiaCurve(c, p.strength(0));
    ForEachPixel(in, out, ctx, [&tone](int, int, const std::uint8_t* s, std::uint8_t* d) {
        const int l = Luma(s);
        for (std::size_t c = 0; c < 3; ++c)
            d[c] = tone[c][std::size_t(l)];
    });
}

void RunNegative(ConstRaster in, Raster out, const Parameters&, const Context& ctx)
{
    ApplyCurve(in, out, MakeCurve([](double x) { return 1.0 - x; }), ctx.threads);
}

void RunPosterise(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const int levels = 2 + int(std::lround((100 - p[0]) / 10.0));
    ApplyCurve(in, out, MakeCurve([levels](double x) { return std::round(x * (levels - 1)) / (levels - 1); }), ctx.threads);
}

void RunSolarise(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Tones at or above the threshold are inverted, as in an over-exposed print.
    const double t = 1.0 - p.strength(0);
    ApplyCurve(in, out, MakeCurve([t](double x) { return x < t ? x : 1.0 - x; }), ctx.threads);
}

// The cut runs over the photo's own tones (its darkest to its lightest percent), so that
// every step of the slider moves it on a dull photo as on a contrasty one.
void RunThreshold(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const int darkest = Percentile(ctx.statistics->luma, 0.01);
    const int lightest = std::max(darkest + 1, Percentile(ctx.statistics->luma, 0.99));
    const int cut = int(std::lround(darkest + p.strength(0) * (lightest - darkest)));
    ForEachPixel(in, out, ctx, [cut](int, int, const std::uint8_t* s, std::uint8_t* d) {
        d[0] = d[1] = d[2] = Luma(s) >= cut ? 255 : 0;
    });
}

void RunVignette(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const Vignette vignette(ctx, 0.95 * p.strength(0));
    ForEachPixel(in, out, ctx, [&](int x, int y, const std::uint8_t* s, std::uint8_t* d) {
        const float f = vignette.factor(x, y);
        for (int c = 0; c < 3; ++c)
            d[c] = ClampByte(s[c] * f);
    });
}

double OldPhotoSoftening(const Context& ctx)
{
    return 0.6 * ctx.effectUnit();
}

void RunOldPhoto(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double age = p.strength(0);
    const auto soft = BlurredCopyStream(in, OldPhotoSoftening(ctx), kStepKept, ctx.threads);
    std::array<Curve, 3> tone;
    for (int c = 0; c < 3; ++c)
        tone[std::size_t(c)] = SepiaCurve(c, 0.35 + 0.5 * age);
    // Faded paper: blacks lift and whites dull with age.
    const float floor = float(12 + 40 * age), span = float(243 - 30 * age - floor) / 255.0f;
    const Vignette vignette(ctx, 0.25 + 0.45 * age);
    const float grain = float((3 + 12 * age) * std::min(1.0, ctx.scale));
    ForRowSteps(out, ctx, [&](int last) { soft->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const float* b = soft->row(y);
        for (int x = 0; x < out.width; ++x, b += 3, d += 3) {
            const int l = std::clamp(int(0.114f * b[0] + 0.587f * b[1] + 0.299f * b[2] + 0.5f), 0, 255);
            const float f = vignette.factor(x, y);
            const float g = grain * BellNoise(ctx.originX + x, ctx.originY + y, kOpOldPhoto);
            for (std::size_t c = 0; c < 3; ++c)
                d[c] = ClampByte((floor + tone[c][std::size_t(l)] * span + g) * f);
        }
    });
}

constexpr OperationSpec kTone[] = {
    {kOpGrey, 1, 1, false, true, false, nullptr, RunGrey},
    {kOpSepia, 1, 1, false, true, false, nullptr, RunSepia},
    {kOpNegative, 1, 1, false, false, false, nullptr, RunNegative},
    {kOpPosterise, 1, 1, false, false, false, nullptr, RunPosterise},
    {kOpSolarise, 1, 1, false, false, false, nullptr, RunSolarise},
    {kOpThreshold, 1, 1, false, true, true, nullptr, RunThreshold},
    {kOpOldPhoto, 1, 1, true, true, false,
     [](const Parameters&, const Context& c) { return GaussianReach(OldPhotoSoftening(c)) + 1; }, RunOldPhoto},
    {kOpVignette, 1, 1, false, true, false, nullptr, RunVignette},
};

}  // namespace

std::span<const OperationSpec> ToneEffects()
{
    return kTone;
}

}  // namespace lv::effects
