// Tiles on a grid fixed to the whole picture: mosaic, glass tiles and colour halftone.

#include "effects/blur.h"
#include "effects/luma_stream.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Ink coverage of one screen at every cell centre the raster can see: the colour is read
// once per cell, and the cells are given their colours as the blurred rows stream past.
class ScreenCells {
public:
    ScreenCells(int width, int height, const Context& ctx, float cell, float cosA, float sinA, int ink)
        : cell_(cell), cos_(cosA), sin_(sinA), ink_(ink), originX_(ctx.originX), originY_(ctx.originY)
    {
        // The raster's corners in screen coordinates bound the cells needed (plus a ring).
        float uMin = 1e30f, uMax = -1e30f, vMin = 1e30f, vMax = -1e30f;
        for (const float x : {float(ctx.originX), float(ctx.originX + width)})
            for (const float y : {float(ctx.originY), float(ctx.originY + height)}) {
                uMin = std::min(uMin, x * cosA + y * sinA), uMax = std::max(uMax, x * cosA + y * sinA);
                vMin = std::min(vMin, -x * sinA + y * cosA), vMax = std::max(vMax, -x * sinA + y * cosA);
            }
        i0_ = int(std::floor(uMin / cell)) - 2;
        j0_ = int(std::floor(vMin / cell)) - 2;
        columns_ = int(std::floor(uMax / cell)) + 3 - i0_;
        const int rows = int(std::floor(vMax / cell)) + 3 - j0_;
        coverage_.resize(std::size_t(columns_) * std::size_t(rows));
    }

    std::size_t cellCount() const { return coverage_.size(); }

    // Where cell n's colour is read, in the raster's coordinates.
    void centre(std::size_t n, float& x, float& y) const
    {
        const int i = int(n % std::size_t(columns_)), j = int(n / std::size_t(columns_));
        const float pu = (float(i0_ + i) + 0.5f) * cell_, pv = (float(j0_ + j) + 0.5f) * cell_;
        const float px = pu * cos_ - pv * sin_, py = pu * sin_ + pv * cos_;
        x = px - float(originX_) - 0.5f;
        y = py - float(originY_) - 0.5f;
    }

    void setColour(std::size_t n, const float* c)
    {
        const float b = c[0] / 255.0f, g = c[1] / 255.0f, r = c[2] / 255.0f;
        // Black ink only for the deep shadows; colour inks carry the rest.
        const float black = std::max(0.0f, (1.0f - std::max({r, g, b}) - 0.3f) / 0.7f);
        const float rest = std::max(1e-3f, 1.0f - black);
        const float cover = ink_ == 3 ? black : (1.0f - (ink_ == 0 ? r : ink_ == 1 ? g : b) - black) / rest;
        // Dot radius for that coverage, a little generous so full tones close up.
        coverage_[n] = cell_ * std::sqrt(std::clamp(cover, 0.0f, 1.0f) / 3.14159f) * 1.1f;
    }

    // 0 (paper) … 1 (ink) at a whole-picture position.
    float ink(float ax, float ay) const
    {
        const float u = ax * cos_ + ay * sin_, v = -ax * sin_ + ay * cos_;
        // The four nearest cell centres: a dark dot may spill into its neighbours.
        const int i = int(std::floor(u / cell_ - 0.5f)), j = int(std::floor(v / cell_ - 0.5f));
        float ink = 0;
        for (int dj = 0; dj < 2; ++dj)
            for (int di = 0; di < 2; ++di) {
                const float pu = (float(i + di) + 0.5f) * cell_, pv = (float(j + dj) + 0.5f) * cell_;
                const float radius = coverage_[std::size_t(j + dj - j0_) * std::size_t(columns_) + std::size_t(i + di - i0_)];
                const float dist = std::sqrt((u - pu) * (u - pu) + (v - pv) * (v - pv));
                ink = std::max(ink, std::clamp(radius - dist + 0.5f, 0.0f, 1.0f));
            }
        return ink;
    }

#if defined(__SSE2__)
    // ink() for four pixels of a row at once, lane by lane the same arithmetic, so the
    // same bytes; square roots and divisions are most of a halftone's time.
    __m128 ink4(__m128 ax, float ay) const
    {
        const __m128 half = _mm_set1_ps(0.5f), cell = _mm_set1_ps(cell_);
        const __m128 ayv = _mm_set1_ps(ay), cosv = _mm_set1_ps(cos_), sinv = _mm_set1_ps(sin_);
        const __m128 u = _mm_add_ps(_mm_mul_ps(ax, cosv), _mm_mul_ps(ayv, sinv));
        const __m128 v = _mm_add_ps(_mm_mul_ps(_mm_xor_ps(ax, _mm_set1_ps(-0.0f)), sinv), _mm_mul_ps(ayv, cosv));
        const __m128i i = Floor(_mm_sub_ps(_mm_div_ps(u, cell), half));
        const __m128i j = Floor(_mm_sub_ps(_mm_div_ps(v, cell), half));
        alignas(16) int is[4], js[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(is), i);
        _mm_store_si128(reinterpret_cast<__m128i*>(js), j);
        __m128 ink = _mm_setzero_ps();
        for (int dj = 0; dj < 2; ++dj)
            for (int di = 0; di < 2; ++di) {
                const __m128 pu = _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(_mm_add_epi32(i, _mm_set1_epi32(di))), half), cell);
                const __m128 pv = _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(_mm_add_epi32(j, _mm_set1_epi32(dj))), half), cell);
                const auto at = [&](int lane) {
                    return coverage_[std::size_t(js[lane] + dj - j0_) * std::size_t(columns_) + std::size_t(is[lane] + di - i0_)];
                };
                const __m128 radius = _mm_setr_ps(at(0), at(1), at(2), at(3));
                const __m128 du = _mm_sub_ps(u, pu), dv = _mm_sub_ps(v, pv);
                const __m128 dist = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(du, du), _mm_mul_ps(dv, dv)));
                const __m128 reach = _mm_add_ps(_mm_sub_ps(radius, dist), half);
                ink = _mm_max_ps(_mm_min_ps(_mm_max_ps(reach, _mm_setzero_ps()), _mm_set1_ps(1.0f)), ink);
            }
        return ink;
    }

private:
    // int(std::floor(q)) per lane.
    static __m128i Floor(__m128 q)
    {
        const __m128i t = _mm_cvttps_epi32(q);
        return _mm_add_epi32(t, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(t), q)));
    }
#endif

private:
    float cell_, cos_, sin_;
    int ink_, originX_, originY_;
    int i0_ = 0, j0_ = 0, columns_ = 0;
    std::vector<float> coverage_;
};

// Gives every screen's cells their colours from the blurred picture, read top to bottom so
// only a window of blurred rows is ever held.
void ColourScreens(ConstRaster in, double sigma, int threads, std::vector<ScreenCells>& screens)
{
    struct Read {
        int row;
        float x, y;
        std::uint32_t screen;
        std::size_t cell;
    };
    std::vector<Read> reads;
    for (std::size_t s = 0; s < screens.size(); ++s)
        for (std::size_t n = 0; n < screens[s].cellCount(); ++n) {
            float x, y;
            screens[s].centre(n, x, y);
            reads.push_back({int(std::clamp(y, 0.0f, float(in.height - 1))), x, y, std::uint32_t(s), n});
        }
    std::sort(reads.begin(), reads.end(), [](const Read& a, const Read& b) { return a.row < b.row; });
    const auto blurred = BlurredCopyStream(in, sigma, kStepKept, threads);
    for (const Read& read : reads) {
        blurred->makeThrough(std::min(in.height - 1, read.row + 1));
        float c[3];
        BilinearRead([&](int row) { return blurred->row(row); }, in.width, in.height, in.channels, read.x, read.y, c);
        screens[read.screen].setColour(read.cell, c);
    }
}

void RunHalftone(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float cell = float(HalftoneCell(p, ctx));
    // Cyan, magenta, yellow and black screens at the printers' customary angles.
    constexpr double kAngles[4] = {15, 75, 0, 45};
    std::vector<ScreenCells> screens;
    for (int k = 0; k < 4; ++k)
        screens.emplace_back(in.width, in.height, ctx, cell, float(std::cos(kAngles[k] * std::numbers::pi / 180)),
                             float(std::sin(kAngles[k] * std::numbers::pi / 180)), k);
    ColourScreens(in, cell / 2.5, ctx.threads, screens);
    ParallelFor(out.height, ThreadsFor((long long)out.height * out.width * 12, ctx.threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* d = out.row(y);
            const float ay = float(ctx.originY + y) + 0.5f;
            int x = 0;
#if defined(__SSE2__)
            for (; x + 4 <= out.width; x += 4, d += 12) {
                const __m128 ax = _mm_add_ps(_mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(ctx.originX + x), _mm_setr_epi32(0, 1, 2, 3))),
                                             _mm_set1_ps(0.5f));
                alignas(16) float paper[3][4];
                for (int k = 0; k < 3; ++k)
                    _mm_store_ps(paper[2 - k], _mm_mul_ps(_mm_set1_ps(255.0f), _mm_sub_ps(_mm_set1_ps(1.0f),
                                                          _mm_mul_ps(_mm_set1_ps(0.85f), screens[std::size_t(k)].ink4(ax, ay)))));
                alignas(16) float black[4];
                _mm_store_ps(black, _mm_sub_ps(_mm_set1_ps(1.0f), _mm_mul_ps(_mm_set1_ps(0.9f), screens[3].ink4(ax, ay))));
                for (int lane = 0; lane < 4; ++lane)
                    for (int c = 0; c < 3; ++c)
                        d[3 * lane + c] = ClampByte(paper[c][lane] * black[lane]);
            }
#endif
            for (; x < out.width; ++x, d += 3) {
                const float ax = float(ctx.originX + x) + 0.5f;
                // Cyan takes red away, magenta green, yellow blue; black all three.
                float paper[3] = {255, 255, 255};
                for (int k = 0; k < 3; ++k)
                    paper[2 - k] *= 1.0f - 0.85f * screens[std::size_t(k)].ink(ax, ay);
                const float black = 1.0f - 0.9f * screens[3].ink(ax, ay);
                for (int c = 0; c < 3; ++c)
                    d[c] = ClampByte(paper[c] * black);
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
