// Distortions: each result pixel reads the picture at a moved position, measured from the
// centre of the whole picture.

#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/pixel_noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::effects {

namespace {

// Columns walked down together: the rows a strip reads around it stay in the processor's
// cache, where whole rows of a wide picture would not (frosted glass reads scattered rows).
constexpr int kStripColumns = 256;

// Runs `source(ax, ay, sx, sy)` for every pixel: given its whole-picture position (pixel
// centre), it sets where to read from.
void Remap(ConstRaster in, Raster out, const Context& ctx, auto&& source)
{
    const Sampler sampler(in, ctx);
    const int ch = in.channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * ch * 4, ctx.threads), [&](int begin, int end) {
        for (int left = 0; left < out.width; left += kStripColumns) {
            const int right = std::min(out.width, left + kStripColumns);
            for (int y = begin; y < end; ++y) {
                std::uint8_t* d = out.row(y) + std::ptrdiff_t(left) * ch;
                for (int x = left; x < right; ++x, d += ch) {
                    const float ax = float(ctx.originX + x) + 0.5f, ay = float(ctx.originY + y) + 0.5f;
                    float sx = ax, sy = ay;
                    source(ax, ay, sx, sy);
                    float c[3];
                    sampler.sample(sx - 0.5f, sy - 0.5f, c);
                    for (int k = 0; k < ch; ++k)
                        d[k] = ClampByte(c[k]);
                }
            }
        }
    });
}

struct Centre {
    float x, y, radius;
};
Centre CentreOf(const Context& ctx)
{
    return {ctx.fullWidth / 2.0f, ctx.fullHeight / 2.0f, std::max(1.0f, std::min(ctx.fullWidth, ctx.fullHeight) / 2.0f)};
}

void RunPinch(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const Centre c = CentreOf(ctx);
    const float amount = float(0.9 * p.strength(0));
    Remap(in, out, ctx, [&](float ax, float ay, float& sx, float& sy) {
        const float dx = ax - c.x, dy = ay - c.y;
        const float r = std::sqrt(dx * dx + dy * dy) / c.radius;
        if (r >= 1.0f || r <= 0.0f)
            return;
        // Read from farther out the nearer the centre: the middle draws inward.
        const float f = std::pow(std::sin(float(std::numbers::pi) / 2 * r), -amount);
        const float k = std::min(f, 1.0f / r);
        sx = c.x + dx * k;
        sy = c.y + dy * k;
    });
}

void RunTwirl(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const Centre c = CentreOf(ctx);
    const float maxAngle = float(p.strength(0) * 1.6 * std::numbers::pi);
    Remap(in, out, ctx, [&](float ax, float ay, float& sx, float& sy) {
        const float dx = ax - c.x, dy = ay - c.y;
        const float r = std::sqrt(dx * dx + dy * dy) / (1.2f * c.radius);
        if (r >= 1.0f)
            return;
        const float angle = maxAngle * (1.0f - r) * (1.0f - r);
        const float cs = std::cos(angle), sn = std::sin(angle);
        sx = c.x + dx * cs - dy * sn;
        sy = c.y + dx * sn + dy * cs;
    });
}

double RippleAmplitude(const Parameters& p, const Context& ctx)
{
    return (1.0 + 9.0 * p.strength(0)) * ctx.effectUnit();
}

void RunRipple(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float amplitude = float(RippleAmplitude(p, ctx));
    const float wave = float(2 * std::numbers::pi / (45.0 * ctx.effectUnit()));
    Remap(in, out, ctx, [&](float ax, float ay, float& sx, float& sy) {
        sx = ax + amplitude * std::sin(ay * wave);
        sy = ay + amplitude * std::sin(ax * wave);
    });
}

void RunSpherise(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const Centre c = CentreOf(ctx);
    const float amount = float(p.strength(0));
    Remap(in, out, ctx, [&](float ax, float ay, float& sx, float& sy) {
        const float dx = ax - c.x, dy = ay - c.y;
        const float r = std::sqrt(dx * dx + dy * dy) / c.radius;
        if (r >= 1.0f || r <= 0.0f)
            return;
        // Seen through a glass ball: the middle is magnified, the rim meets the picture.
        const float ball = std::asin(r) / (float(std::numbers::pi) / 2);
        const float bulge = ((1.0f - amount) * r + amount * ball) / r;
        sx = c.x + dx * bulge;
        sy = c.y + dy * bulge;
    });
}

double FrostRadius(const Parameters& p, const Context& ctx)
{
    return (1.0 + 5.0 * p.strength(0)) * ctx.effectUnit();
}

void RunFrostedGlass(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float radius = float(FrostRadius(p, ctx));
    Remap(in, out, ctx, [&](float ax, float ay, float& sx, float& sy) {
        const int ix = int(std::floor(ax)), iy = int(std::floor(ay));
        sx = ax + radius * (2.0f * UnitNoise(ix, iy, kOpFrostedGlass) - 1.0f);
        sy = ay + radius * (2.0f * UnitNoise(ix, iy, kOpFrostedGlass + 1) - 1.0f);
    });
}

int WholePicture(const Parameters&, const Context&)
{
    return kWholePicture;
}

constexpr OperationSpec kDistortions[] = {
    {kOpPinch, 1, 1, true, false, false, WholePicture, RunPinch},
    {kOpTwirl, 1, 1, true, false, false, WholePicture, RunTwirl},
    {kOpRipple, 1, 1, true, false, false, [](const Parameters& p, const Context& c) { return int(std::ceil(RippleAmplitude(p, c))) + 2; },
     RunRipple},
    {kOpSpherise, 1, 1, true, false, false, WholePicture, RunSpherise},
    {kOpFrostedGlass, 1, 1, true, false, false, [](const Parameters& p, const Context& c) { return int(std::ceil(FrostRadius(p, c))) + 2; },
     RunFrostedGlass},
};

}  // namespace

std::span<const OperationSpec> DistortEffects()
{
    return kDistortions;
}

}  // namespace lv::effects
