// Tiles on a grid fixed to the whole picture: mosaic, glass tiles and colour halftone.

#include "effects/blur.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lv::effects {

namespace {

// --- Mosaic -----------------------------------------------------------------------------------

double MosaicTile(const Parameters& p, const Context& ctx)
{
    return std::max(1.0, (3.0 + 29.0 * p.strength(0)) * ctx.effectUnit());
}

// The tile index of working pixel `v` of the whole picture, for tiles of `size` pixels.
int TileOf(int v, double size)
{
    return int(std::floor((v + 0.5) / size));
}

void RunMosaic(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double size = MosaicTile(p, ctx);
    const int ch = in.channels;
    // Column ranges of the tiles met along a row of the raster.
    std::vector<int> tileOfX(std::size_t(in.width));
    for (int x = 0; x < in.width; ++x)
        tileOfX[std::size_t(x)] = TileOf(ctx.originX + x, size) - TileOf(ctx.originX, size);
    const int tiles = tileOfX.back() + 1;
    std::vector<double> sums(std::size_t(tiles) * std::size_t(ch + 1));
    int y = 0;
    while (y < in.height) {
        const int band = TileOf(ctx.originY + y, size);
        int end = y;
        while (end < in.height && TileOf(ctx.originY + end, size) == band)
            ++end;
        std::fill(sums.begin(), sums.end(), 0.0);
        for (int yy = y; yy < end; ++yy) {
            const std::uint8_t* s = in.row(yy);
            for (int x = 0; x < in.width; ++x, s += ch) {
                double* t = &sums[std::size_t(tileOfX[std::size_t(x)]) * std::size_t(ch + 1)];
                for (int c = 0; c < ch; ++c)
                    t[c] += s[c];
                t[ch] += 1;
            }
        }
        for (int yy = y; yy < end; ++yy) {
            std::uint8_t* d = out.row(yy);
            for (int x = 0; x < in.width; ++x, d += ch) {
                const double* t = &sums[std::size_t(tileOfX[std::size_t(x)]) * std::size_t(ch + 1)];
                for (int c = 0; c < ch; ++c)
                    d[c] = std::uint8_t(t[c] / t[ch] + 0.5);
            }
        }
        y = end;
    }
}

int MosaicMargin(const Parameters& p, const Context& ctx)
{
    return int(std::ceil(MosaicTile(p, ctx))) + 1;
}

// --- Glass tiles ---------------------------------------------------------------------------------

double GlassTile(const Parameters& p, const Context& ctx)
{
    return std::max(2.0, (10.0 + 40.0 * p.strength(0)) * ctx.effectUnit());
}

void RunGlassTiles(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float size = float(GlassTile(p, ctx));
    const Sampler sampler(in, ctx);
    const int ch = in.channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * ch, ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* d = out.row(y);
            const float ay = float(ctx.originY + y) + 0.5f;
            const float v = ay / size - std::floor(ay / size);  // 0–1 across the tile
            for (int x = 0; x < out.width; ++x, d += ch) {
                const float ax = float(ctx.originX + x) + 0.5f;
                const float u = ax / size - std::floor(ax / size);
                // Each tile is a convex lens: it shows its surroundings squeezed and turned.
                const float sx = ax + (0.5f - u) * size * 0.9f;
                const float sy = ay + (0.5f - v) * size * 0.9f;
                float c[3];
                sampler.sample(sx - 0.5f, sy - 0.5f, c);
                // Bevel: light on the top-left edges, shade on the bottom-right ones.
                const float edge = std::min({u, v, 1.0f - u, 1.0f - v});
                const float bevel = (1.0f - SmoothStep(0.0f, 0.12f, edge)) * (u + v < 1.0f ? 40.0f : -45.0f);
                for (int k = 0; k < ch; ++k)
                    d[k] = ClampByte(c[k] + bevel);
            }
        }
    });
}

int GlassMargin(const Parameters& p, const Context& ctx)
{
    return int(std::ceil(GlassTile(p, ctx))) + 2;
}

// --- Halftone ----------------------------------------------------------------------------------

double HalftoneCell(const Parameters& p, const Context& ctx)
{
    return std::max(2.0, (3.0 + 9.0 * p.strength(0)) * ctx.effectUnit());
}

void RunHalftone(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float cell = float(HalftoneCell(p, ctx));
    const FloatImage colours = BlurredCopy(in, cell / 2.5, ctx.threads);
    // Cyan, magenta, yellow and black screens at the printers' customary angles.
    constexpr double kAngles[4] = {15, 75, 0, 45};
    float cosA[4], sinA[4];
    for (int k = 0; k < 4; ++k) {
        cosA[k] = float(std::cos(kAngles[k] * std::numbers::pi / 180));
        sinA[k] = float(std::sin(kAngles[k] * std::numbers::pi / 180));
    }
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * 12, ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* d = out.row(y);
            const float ay = float(ctx.originY + y) + 0.5f;
            for (int x = 0; x < out.width; ++x, d += 3) {
                const float ax = float(ctx.originX + x) + 0.5f;
                float paper[3] = {255, 255, 255};
                for (int k = 0; k < 4; ++k) {
                    const float u = ax * cosA[k] + ay * sinA[k], v = -ax * sinA[k] + ay * cosA[k];
                    const float cu = (std::floor(u / cell) + 0.5f) * cell, cv = (std::floor(v / cell) + 0.5f) * cell;
                    float ink = 0;
                    // A dark dot may spill into the neighbouring cells, so look at the four nearest.
                    for (int j = -1; j <= 1; j += 2)
                        for (int i = -1; i <= 1; i += 2) {
                            const float du = u < cu ? float(i < 0 ? -cell : 0) : float(i < 0 ? 0 : cell);
                            const float dv = v < cv ? float(j < 0 ? -cell : 0) : float(j < 0 ? 0 : cell);
                            const float pu = cu + du, pv = cv + dv;
                            const float px = pu * cosA[k] - pv * sinA[k], py = pu * sinA[k] + pv * cosA[k];
                            float c[3];
                            SampleFloat(colours, px - float(ctx.originX) - 0.5f, py - float(ctx.originY) - 0.5f, c);
                            const float b = c[0] / 255.0f, g = c[1] / 255.0f, r = c[2] / 255.0f;
                            const float black = 1.0f - std::max({r, g, b});
                            const float rest = std::max(1e-3f, 1.0f - black);
                            const float cover[4] = {(1.0f - r - black) / rest, (1.0f - g - black) / rest,
                                                    (1.0f - b - black) / rest, black};
                            const float radius = cell * std::sqrt(std::clamp(cover[k], 0.0f, 1.0f) / 3.14159f) * 1.1f;
                            const float dist = std::sqrt((u - pu) * (u - pu) + (v - pv) * (v - pv));
                            ink = std::max(ink, std::clamp(radius - dist + 0.5f, 0.0f, 1.0f));
                        }
                    // Cyan takes red away, magenta green, yellow blue; black all three.
                    if (k == 3)
                        for (float& c : paper)
                            c *= 1.0f - 0.9f * ink;
                    else
                        paper[2 - k] *= 1.0f - 0.85f * ink;
                }
                for (int c = 0; c < 3; ++c)
                    d[c] = ClampByte(paper[c]);
            }
        }
    });
}

int HalftoneMargin(const Parameters& p, const Context& ctx)
{
    const double cell = HalftoneCell(p, ctx);
    return int(std::ceil(2.0 * cell)) + GaussianReach(cell / 2.5) + 2;
}

constexpr OperationSpec kTiles[] = {
    {kOpMosaic, 1, 1, true, false, false, MosaicMargin, RunMosaic},
    {kOpGlassTiles, 1, 1, true, false, false, GlassMargin, RunGlassTiles},
    {kOpHalftone, 1, 1, true, true, false, HalftoneMargin, RunHalftone},
};

}  // namespace

std::span<const OperationSpec> TileEffects()
{
    return kTiles;
}

}  // namespace lv::effects
