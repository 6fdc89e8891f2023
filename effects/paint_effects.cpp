// Painting: oil paint, watercolour and pointillism.

#include "effects/blur.h"
#include "effects/kuwahara_stream.h"
#include "effects/luma_stream.h"
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/pixel_noise.h"
#include "effects/row_loops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lv::effects {

namespace {

float LumaOf(const float* bgr)
{
    return 0.114f * bgr[0] + 0.587f * bgr[1] + 0.299f * bgr[2];
}

// --- Oil paint ------------------------------------------------------------------------------

double OilBrush(const Parameters& p, const Context& ctx)
{
    return (2.0 + 4.0 * p.strength(0)) * ctx.effectUnit();
}

void RunOilPaint(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // The paint is made a few rows ahead of the result; the relief reads one row either side.
    constexpr int kRows = 32;
    KuwaharaStream paint(in, OilBrush(p, ctx), true, kRows + 2, ctx.threads);
    const float texture = float(0.35 * ctx.effectUnit());
    const int width = out.width, height = out.height;
    for (int first = 0; first < height; first += kRows) {
        const int end = std::min(height, first + kRows);
        paint.makeThrough(std::min(height - 1, end));
        ParallelFor(end - first, ThreadsFor((long long)(end - first) * (long long)out.rowSamples() * 4, ctx.threads), [&](int begin, int stop) {
            std::vector<float> relief(3 * std::size_t(width));
            for (int y = first + begin; y < first + stop; ++y) {
                const int rows[3] = {std::max(y - 1, 0), y, std::min(y + 1, height - 1)};
                for (int k = 0; k < 3; ++k) {
                    const float* s = paint.row(rows[k]);
                    for (int x = 0; x < width; ++x, s += 3)
                        relief[std::size_t(k * width + x)] = LumaOf(s);
                }
                const float* s = paint.row(y);
                std::uint8_t* d = out.row(y);
                for (int x = 0; x < width; ++x, s += 3, d += 3) {
                    // The paint's own edges catch light from the top left, like thick strokes.
                    float gx, gy;
                    SobelRows(relief.data(), relief.data() + width, relief.data() + 2 * width, width, 1, x, 0, gx, gy);
                    const float light = -texture * (gx + gy);
                    const float l = LumaOf(s);
                    for (int c = 0; c < 3; ++c)
                        d[c] = ClampByte(l + 1.15f * (s[c] - l) + light);
                }
            }
        });
    }
}

int OilMargin(const Parameters& p, const Context& ctx)
{
    return SmoothKuwaharaReach(OilBrush(p, ctx)) + 2;
}

// --- Watercolour ------------------------------------------------------------------------------

constexpr double kWashSpread = 1.2;

double WashBrush(const Parameters& p, const Context& ctx)
{
    return (2.0 + 2.0 * p.strength(0)) * ctx.effectUnit();
}

void RunWatercolour(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // The wash is smoothed, then blurred, a few rows ahead of the result; its edges read one
    // row either side.
    constexpr int kRows = 32;
    const double unit = ctx.effectUnit();
    const std::vector<BoxPass> spread = GaussianBoxes(kWashSpread * unit);
    int reach = 0;
    for (const BoxPass& pass : spread)
        reach += pass.radius + 1;
    // Rows the blur reads ahead of those it makes: its reach, a strip and a step of its own.
    const int ahead = reach + 2 * kRows + 16;
    KuwaharaStream smooth(in, WashBrush(p, ctx), true, ahead + 2 * kRows + 4, ctx.threads);
    BlurStream wash(in.width, in.height, 3, [&smooth](int, int) { return BlurStream::RowSource([&smooth](int y) { return smooth.row(y); }); },
                    spread, spread, 2 * kRows + 4, ctx.threads);
    const float edgeGain = float(unit);
    const int width = out.width, height = out.height;
    for (int first = 0; first < height; first += kRows) {
        const int end = std::min(height, first + kRows);
        smooth.makeThrough(std::min(height - 1, end + ahead));
        wash.makeThrough(std::min(height - 1, end));
        ParallelFor(end - first, ThreadsFor((long long)(end - first) * (long long)out.rowSamples() * 4, ctx.threads), [&](int begin, int stop) {
            std::vector<float> luma(3 * std::size_t(width));
            for (int y = first + begin; y < first + stop; ++y) {
                const int rows[3] = {std::max(y - 1, 0), y, std::min(y + 1, height - 1)};
                for (int k = 0; k < 3; ++k) {
                    const float* w = wash.row(rows[k]);
                    for (int x = 0; x < width; ++x)
                        luma[std::size_t(k * width + x)] = LumaOf(w + 3 * x);
                }
                const float* w = wash.row(y);
                std::uint8_t* d = out.row(y);
                for (int x = 0; x < width; ++x, w += 3, d += 3) {
                    float gx, gy;
                    SobelRows(luma.data(), luma.data() + width, luma.data() + 2 * width, width, 1, x, 0, gx, gy);
                    const float edge = std::sqrt(gx * gx + gy * gy);
                    // Paint pools darker at the borders of each wash; the paper shows through.
                    const float pool = 1.0f - 0.35f * SmoothStep(2.0f, 20.0f, edge * edgeGain);
                    const float paper = 0.94f + 0.06f * UnitNoise(ctx.originX + x, ctx.originY + y, kOpWatercolour);
                    const float l = LumaOf(w);
                    for (int c = 0; c < 3; ++c) {
                        const float pigment = l + 1.1f * (w[c] - l);
                        d[c] = ClampByte((255.0f - 0.85f * (255.0f - pigment)) * pool * paper);
                    }
                }
            }
        });
    }
}

int WatercolourMargin(const Parameters& p, const Context& ctx)
{
    const double unit = ctx.effectUnit();
    return SmoothKuwaharaReach(WashBrush(p, ctx)) + GaussianReach(kWashSpread * unit) + 2;
}

// --- Pointillism ------------------------------------------------------------------------------

double DotCell(const Parameters& p, const Context& ctx)
{
    return std::max(2.0, (4.0 + 8.0 * p.strength(0)) * ctx.effectUnit());
}

// The jittered dots of the three cell rows around one result row, hashed once per cell
// rather than once per pixel that looks at the cell.
struct Dot {
    float x, y;
    std::uint32_t hash;
    float rise2;  // squared height above or below the row; above the radius's, out of reach
};

class DotRows {
public:
    DotRows(float cell, int grid, float ay, int firstColumn, int columns)
        : shift_(float(grid) * 0.5f * cell), cell_(cell),
          firstRow_(int(std::floor((ay - shift_) / cell)) - 1), firstColumn_(firstColumn), columns_(columns)
    {
        dots_.reserve(std::size_t(3 * columns));
        for (int j = firstRow_; j < firstRow_ + 3; ++j)
            for (int i = firstColumn; i < firstColumn + columns; ++i) {
                const std::uint32_t h = HashPixel(i, j, kOpPointillism + 7919u * std::uint32_t(grid));
                const float px = shift_ + (float(i) + 0.5f + 0.35f * (float(h & 255) / 127.5f - 1.0f)) * cell;
                const float py = shift_ + (float(j) + 0.5f + 0.35f * (float((h >> 8) & 255) / 127.5f - 1.0f)) * cell;
                dots_.push_back({px, py, h, (py - ay) * (py - ay)});
            }
    }
    float shift() const { return shift_; }
    int firstRow() const { return firstRow_; }
    const Dot& at(int i, int j) const
    {
        return dots_[std::size_t(j - firstRow_) * std::size_t(columns_) + std::size_t(i - firstColumn_)];
    }

private:
    float shift_, cell_;
    int firstRow_, firstColumn_, columns_;
    std::vector<Dot> dots_;
};

void RunPointillism(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const float cell = float(DotCell(p, ctx));
    const float radius = 0.62f * cell;
    // A dot that covers a pixel lies within its radius, so colours are read no further away.
    const int rowsRead = int(std::ceil(radius)) + 3;
    const auto blurred = BlurredCopyStream(in, cell / 3.0, 2 * rowsRead + kStepRows + 4, ctx.threads);
    const int height = in.height;
    const auto colourAt = [&](float x, float y, float* c) {
        BilinearRead([&](int row) { return blurred->row(row); }, in.width, height, in.channels, x, y, c);
    };
    // Cell columns any pixel of a row looks at, with one to spare on either side.
    const int firstColumn = int(std::floor((float(ctx.originX) + 0.5f - 0.5f * cell) / cell)) - 2;
    const int columns = int(std::floor((float(ctx.originX + out.width) + 0.5f) / cell)) + 3 - firstColumn;
    ForRowSteps(out, ctx, [&](int last) { blurred->makeThrough(std::min(height - 1, last + rowsRead)); }, [&](int y, std::uint8_t* d) {
        const float ay = float(ctx.originY + y) + 0.5f;
        const DotRows grids[2] = {DotRows(cell, 0, ay, firstColumn, columns), DotRows(cell, 1, ay, firstColumn, columns)};
        for (int x = 0; x < out.width; ++x, d += 3) {
            const float ax = float(ctx.originX + x) + 0.5f;
            // Two grids of jittered dots, the second offset by half a cell; where dots
            // overlap the one with the highest hash lies on top, whatever order we look.
            std::uint32_t best = 0;
            float dotX = 0, dotY = 0;
            bool covered = false;
            for (const DotRows& dots : grids) {
                const float shift = dots.shift();
                const int cx = int(std::floor((ax - shift) / cell)), cy = dots.firstRow() + 1;
                for (int j = cy - 1; j <= cy + 1; ++j)
                    for (int i = cx - 1; i <= cx + 1; ++i) {
                        const Dot& dot = dots.at(i, j);
                        if (dot.rise2 > radius * radius)
                            continue;
                        const float px = dot.x, py = dot.y;
                        if ((px - ax) * (px - ax) + dot.rise2 <= radius * radius && (!covered || dot.hash > best)) {
                            covered = true;
                            best = dot.hash;
                            dotX = px;
                            dotY = py;
                        }
                    }
            }
            float c[3];
            if (covered) {
                colourAt(dotX - float(ctx.originX) - 0.5f, dotY - float(ctx.originY) - 0.5f, c);
                const float l = LumaOf(c);
                const float shade = 0.92f + 0.16f * float((best >> 16) & 255) / 255.0f;
                for (int k = 0; k < 3; ++k)
                    d[k] = ClampByte((l + 1.45f * (c[k] - l)) * shade);
            } else {
                colourAt(float(x), float(y), c);
                for (int k = 0; k < 3; ++k)
                    d[k] = ClampByte(255.0f - 0.35f * (255.0f - c[k]));
            }
        }
    });
}

int PointillismMargin(const Parameters& p, const Context& ctx)
{
    const double cell = DotCell(p, ctx);
    return int(std::ceil(2.5 * cell)) + GaussianReach(cell / 3.0) + 2;
}

constexpr OperationSpec kPaint[] = {
    {kOpOilPaint, 1, 1, true, true, false, OilMargin, RunOilPaint},
    {kOpWatercolour, 1, 1, true, true, false, WatercolourMargin, RunWatercolour},
    {kOpPointillism, 1, 1, true, true, false, PointillismMargin, RunPointillism},
};

}  // namespace

std::span<const OperationSpec> PaintEffects()
{
    return kPaint;
}

}  // namespace lv::effects
