// The panel's enhancements: tone curves, colour matrices, automatic levels and colour
// balance, sharpening and softening.

#include "effects/blur.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/point_ops.h"
#include "effects/slider_mapping.h"
#include "effects/statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::effects {

namespace {

// Brightness bends the midtones (a gamma) so black stays black and white stays white.
double BrightnessCurve(double x, double b)
{
    return std::pow(x, std::pow(2.0, -1.3 * b));
}

// Contrast is a sigmoid through the middle grey: stronger with c > 0, its inverse (flatter)
// with c < 0; ends stay put and nothing clips hard.
double ContrastCurve(double x, double c)
{
    const double a = 8.0 * std::abs(c);
    if (a < 1e-6)
        return x;
    const auto logistic = [](double v) { return 1.0 / (1.0 + std::exp(-v)); };
    const double lo = logistic(-a / 2), hi = logistic(a / 2);
    if (c > 0)
        return (logistic(a * (x - 0.5)) - lo) / (hi - lo);
    const double y = std::clamp(lo + x * (hi - lo), 1e-9, 1.0 - 1e-9);
    return 0.5 + std::log(y / (1.0 - y)) / a;
}

void ApplyTone(ConstRaster in, Raster out, const Curve& curve, const Context& ctx)
{
    ApplyCurve(in, out, curve, ctx.threads);
}

void RunBrightness(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double b = p.signedStrength(0);
    ApplyTone(in, out, MakeCurve([b](double x) { return BrightnessCurve(x, b); }), ctx);
}

void RunBrightnessContrast(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double b = p.signedStrength(0), c = p.signedStrength(1);
    ApplyTone(in, out, MakeCurve([b, c](double x) { return BrightnessCurve(ContrastCurve(x, c), b); }), ctx);
}

void RunHueSaturation(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    if (in.channels == 1) {
        CopyRaster(in, out);
        return;
    }
    const double hue = p.signedStrength(0) * std::numbers::pi;
    const double saturation = p[1] / 50.0;
    const ColourMatrix m = Multiply(SaturationMatrix(saturation), HueRotationMatrix(hue));
    const Curve id = IdentityCurve();
    ApplyMatrix(in, out, {id, id, id}, m, ctx.threads);
}

Curve BalanceCurve(double v)
{
    return MakeCurve([v](double x) { return std::pow(x, std::pow(2.0, -0.8 * v)); });
}

void RunColourBalance(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Sliders are red, green, blue; samples are blue, green, red.
    if (in.channels == 1) {
        const double mean = (p.signedStrength(0) + p.signedStrength(1) + p.signedStrength(2)) / 3.0;
        ApplyCurve(in, out, BalanceCurve(mean), ctx.threads);
        return;
    }
    ApplyCurves(in, out, {BalanceCurve(p.signedStrength(2)), BalanceCurve(p.signedStrength(1)), BalanceCurve(p.signedStrength(0))},
                ctx.threads);
}

// --- Automatic enhancements -------------------------------------------------------------

constexpr double kClip = 0.005;    // of the pixels let go dark or light at each end
constexpr double kMaxStretch = 10; // keeps noise in near-flat pictures in check

struct Levels {
    double low = 0;
    double high = 1;
    double gamma = 1;
    double apply(double x) const { return std::pow(std::clamp((x - low) / (high - low), 0.0, 1.0), gamma); }
};

Levels StretchLevels(int low, int high)
{
    Levels levels;
    if (high - low < 2)
        return levels;
    const double span = std::max((high - low) / 255.0, 1.0 / kMaxStretch);
    const double mid = (low + high) / 2.0 / 255.0;
    levels.low = std::clamp(mid - span / 2, 0.0, 1.0 - span);
    levels.high = levels.low + span;
    return levels;
}

void RunAutoFix(ConstRaster in, Raster out, const Parameters&, const Context& ctx)
{
    const PictureStatistics& s = *ctx.statistics;
    int low = 255, high = 0;
    for (const Histogram& h : s.channels) {
        low = std::min(low, Percentile(h, kClip));
        high = std::max(high, Percentile(h, 1.0 - kClip));
    }
    if (high - low < 2) {
        CopyRaster(in, out);  // one colour: nothing to correct
        return;
    }
    Levels levels = StretchLevels(low, high);
    // Then bring the median brightness toward the middle, within bounds, so dark or pale
    // pictures open up while well-exposed ones keep their mood.
    const double median = (Percentile(s.luma, 0.5) + 0.5) / 255.0;
    const double stretched = std::clamp((median - levels.low) / (levels.high - levels.low), 0.02, 0.98);
    levels.gamma = std::clamp(std::log(0.46) / std::log(stretched), 0.55, 1.6);
    const Curve curve = MakeCurve([&levels](double x) { return levels.apply(x); });
    if (in.channels == 1)
        ApplyCurve(in, out, curve, ctx.threads);
    else
        ApplySaturation(in, out, curve, 1.12, ctx.threads);
}

// Per-channel levels, then per-channel gammas that make near-neutral pixels grey.
std::array<Levels, 3> BalanceLevels(const PictureStatistics& s)
{
    std::array<Levels, 3> levels;
    for (std::size_t c = 0; c < 3; ++c)
        levels[c] = StretchLevels(Percentile(s.channels[c], kClip), Percentile(s.channels[c], 1.0 - kClip));
    double chromaLimit = 1.0;  // first round: every midtone pixel counts
    for (int round = 0; round < 3; ++round) {
        // This round's levels as tables, so the samples cost a lookup each.
        std::array<std::array<double, 256>, 3> table{};
        for (std::size_t c = 0; c < 3; ++c)
            for (std::size_t v = 0; v < 256; ++v)
                table[c][v] = levels[c].apply(double(v) / 255.0);
        std::array<double, 3> sum{};
        std::size_t used = 0;
        for (const auto& px : s.samples) {
            std::array<double, 3> v{};
            for (std::size_t c = 0; c < 3; ++c)
                v[c] = table[c][px[c]];
            const double lo = std::min({v[0], v[1], v[2]}), hi = std::max({v[0], v[1], v[2]});
            const double mean = (v[0] + v[1] + v[2]) / 3.0;
            if (mean < 0.08 || mean > 0.92 || hi - lo > chromaLimit)
                continue;
            for (std::size_t c = 0; c < 3; ++c)
                sum[c] += v[c];
            ++used;
        }
        if (used < s.samples.size() / 50 + 1)
            break;
        const double target = (sum[0] + sum[1] + sum[2]) / 3.0 / double(used);
        for (std::size_t c = 0; c < 3; ++c) {
            const double m = std::clamp(sum[c] / double(used), 0.02, 0.98);
            levels[c].gamma = std::clamp(levels[c].gamma * std::log(target) / std::log(m), 0.6, 1.7);
        }
        chromaLimit = 0.2;  // later rounds: only what now looks nearly grey
    }
    return levels;
}

void RunAutoBalance(ConstRaster in, Raster out, const Parameters&, const Context& ctx)
{
    if (in.channels == 1) {
        CopyRaster(in, out);  // already neutral
        return;
    }
    const auto levels = BalanceLevels(*ctx.statistics);
    std::array<Curve, 3> curves;
    for (std::size_t c = 0; c < 3; ++c)
        curves[c] = MakeCurve([&l = levels[c]](double x) { return l.apply(x); });
    ApplyCurves(in, out, curves, ctx.threads);
}

// --- Detail -------------------------------------------------------------------------------

// One piece of a row: the picture moved away from (amount > 0) or toward (amount < 0) its
// blurred self, differences within ±threshold left alone. Built for 256-bit vectors too.
__attribute__((target_clones("avx2", "default"))) void DetailRow(const std::uint8_t* s, const float* blurred, std::uint8_t* o,
                                                               std::size_t count, float amount, float threshold)
{
    for (std::size_t i = 0; i < count; ++i) {
        const float x = s[i];
        const float diff = x - blurred[i];
        float ignored = diff < -threshold ? -threshold : diff;
        ignored = ignored > threshold ? threshold : ignored;
        o[i] = ClampByte(x + amount * (diff - ignored));
    }
}

void RunDetail(int operation, ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const DetailSettings d = DetailForParameter(operation, p[0]);
    const double sigma = d.sigma * ctx.scale;
    if (d.amount == 0 || sigma < 0.05) {
        CopyRaster(in, out);
        return;
    }
    const float amount = float(d.amount);
    // Sharpening ignores differences of a level or two, so flat areas don't turn grainy.
    const float threshold = amount > 0 ? 2.0f : 0.0f;
    BlurInto(in, sigma, ctx.threads, [&](int y, std::size_t first, std::size_t count, const float* blurred) {
        DetailRow(in.row(y) + first, blurred, out.row(y) + first, count, amount, threshold);
    });
}

int DetailMargin(int operation, const Parameters& p, const Context& ctx)
{
    return GaussianReach(DetailForParameter(operation, p[0]).sigma * ctx.scale) + 1;
}

constexpr OperationSpec kEnhancements[] = {
    {kOpBrightness, 1, 1, false, false, false, nullptr, RunBrightness},
    {kOpBrightnessContrast, 2, 2, false, false, false, nullptr, RunBrightnessContrast},
    {kOpHueSaturation, 2, 2, false, false, false, nullptr, RunHueSaturation},
    {kOpColourBalance, 3, 3, false, false, false, nullptr, RunColourBalance},
    {kOpAutoFix, 0, 1, false, false, true, nullptr, RunAutoFix},
    {kOpAutoBalance, 0, 1, false, false, true, nullptr, RunAutoBalance},
    {kOpSharpen, 1, 1, false, false, false, [](const Parameters& p, const Context& c) { return DetailMargin(kOpSharpen, p, c); },
     [](ConstRaster in, Raster out, const Parameters& p, const Context& c) { RunDetail(kOpSharpen, in, out, p, c); }},
    {kOpSoften, 1, 1, false, false, false, [](const Parameters& p, const Context& c) { return DetailMargin(kOpSoften, p, c); },
     [](ConstRaster in, Raster out, const Parameters& p, const Context& c) { RunDetail(kOpSoften, in, out, p, c); }},
};

}  // namespace

std::span<const OperationSpec> EnhancementOperations()
{
    return kEnhancements;
}

}  // namespace lv::effects
