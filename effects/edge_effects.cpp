// Lines and relief: emboss, edges, glowing edges, and the drawing effects (sketch,
// pencil, charcoal, coloured pencil, cartoon).

#include "effects/blur.h"
#include "effects/kuwahara_stream.h"
#include "effects/luma_stream.h"

#include <memory>
#include <vector>
#include "effects/neighbourhood.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/parallel.h"
#include "effects/pixel_noise.h"
#include "effects/row_loops.h"
#include "effects/point_ops.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

namespace {

// --- Relief and edges ------------------------------------------------------------------

constexpr double kEmbossSoftening = 0.6;  // effect units

void RunEmboss(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // The parameter is the gentleness: 0 gives the deepest relief.
    const double depth = 1.0 - p.strength(0);
    const double unit = ctx.effectUnit();
    const auto luma = BlurredLumaStream(in, kEmbossSoftening * unit, kStepKept, ctx.threads);
    // Gradients per effect unit keep the relief alike at any size and preview scale.
    const float gain = float((0.6 + 5.4 * depth) * unit);
    const int height = out.height;
    ForRowSteps(out, ctx, [&](int last) { luma->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const float* up = luma->row(std::max(y - 1, 0));
        const float* mid = luma->row(y);
        const float* down = luma->row(std::min(y + 1, height - 1));
        for (int x = 0; x < out.width; ++x, d += 3) {
            float gx, gy;
            SobelRows(up, mid, down, out.width, 1, x, 0, gx, gy);
            // Light from the top left.
            d[0] = d[1] = d[2] = ClampByte(128.0f - gain * (gx + gy) * 0.7071f);
        }
    });
}

constexpr double kEdgeSoftening = 0.5;

// Gradient lengths of samples [step, end) of a row, as SobelRows computes them; vectorises.
void EdgeInterior(const float* __restrict up, const float* __restrict mid, const float* __restrict down, std::size_t step,
                  std::size_t end, float gain, std::uint8_t* __restrict d)
{
    for (std::size_t i = step; i < end; ++i) {
        const std::size_t l = i - step, r = i + step;
        const float gx = (up[r] + 2 * mid[r] + down[r] - up[l] - 2 * mid[l] - down[l]) * 0.125f;
        const float gy = (down[l] + 2 * down[i] + down[r] - up[l] - 2 * up[i] - up[r]) * 0.125f;
        d[i] = ClampByte(std::sqrt(gx * gx + gy * gy) * gain);
    }
}

void RunEdges(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const auto soft = BlurredCopyStream(in, kEdgeSoftening * ctx.effectUnit(), kStepKept, ctx.threads);
    const float gain = float((1.0 + 5.0 * p.strength(0)) * ctx.effectUnit());
    const int height = out.height, ch = out.channels;
    ForRowSteps(out, ctx, [&](int last) { soft->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const float* up = soft->row(std::max(y - 1, 0));
        const float* mid = soft->row(y);
        const float* down = soft->row(std::min(y + 1, height - 1));
        // The first and last pixels repeat their border; those between run as one straight loop.
        for (const int x : {0, out.width - 1})
            for (int c = 0; c < ch; ++c) {
                float gx, gy;
                SobelRows(up, mid, down, out.width, ch, x, c, gx, gy);
                d[x * ch + c] = ClampByte(std::sqrt(gx * gx + gy * gy) * gain);
            }
        EdgeInterior(up, mid, down, std::size_t(ch), std::size_t(out.width - 1) * std::size_t(ch), gain, d);
    });
}

constexpr double kGlowSpread = 3.0;

void RunGlowingEdges(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Lines are made ahead of the halo's blur, which reads its reach and a step beyond the
    // rows it makes; the result takes both a step at a time.
    const double unit = ctx.effectUnit();
    const int width = out.width, height = out.height;
    const auto soft = BlurredCopyStream(in, 0.8 * unit, kStepKept, ctx.threads);
    const float gain = float((2.0 + 4.0 * p.strength(0)) * unit);
    const std::vector<BoxPass> spread = GaussianBoxes(kGlowSpread * unit);
    int reach = 0;
    for (const BoxPass& pass : spread)
        reach += pass.radius + 1;
    const int ahead = reach + 2 * kStepRows + 16;
    const int capacity = std::min(height, ahead + 3 * kStepRows + 4);
    std::vector<float> lines(std::size_t(capacity) * std::size_t(width) * 3);
    const auto lineRow = [&](int y) { return lines.data() + std::size_t(y % capacity) * std::size_t(width) * 3; };
    int linesMade = 0;
    const auto makeLines = [&](int last) {
        while (linesMade <= last) {
            const int from = linesMade, to = std::min(height, linesMade + kStepRows);
            soft->makeThrough(std::min(height - 1, to));
            ParallelFor(to - from, ThreadsFor((long long)(to - from) * width * 12, ctx.threads), [&](int begin, int end) {
                for (int y = from + begin; y < from + end; ++y) {
                    const float* up = soft->row(std::max(y - 1, 0));
                    const float* mid = soft->row(y);
                    const float* down = soft->row(std::min(y + 1, height - 1));
                    float* e = lineRow(y);
                    for (int x = 0; x < width; ++x)
                        for (int c = 0; c < 3; ++c) {
                            float gx, gy;
                            SobelRows(up, mid, down, width, 3, x, c, gx, gy);
                            e[3 * x + c] = std::min(255.0f, std::sqrt(gx * gx + gy * gy) * gain);
                        }
                }
            });
            linesMade = to;
        }
    };
    BlurStream glow(width, height, 3, [&](int, int) { return BlurStream::RowSource([&](int y) { return static_cast<const float*>(lineRow(y)); }); },
                    spread, spread, kStepKept, ctx.threads);
    ForRowSteps(out, ctx, [&](int last) {
        makeLines(std::min(height - 1, last + ahead));
        glow.makeThrough(last);
    }, [&](int y, std::uint8_t* d) {
        const float* e = lineRow(y);
        const float* g = glow.row(y);
        for (int x = 0; x < out.width; ++x, d += 3, e += 3, g += 3) {
            // Neon: the line plus its halo, pushed toward full saturation.
            float v[3];
            for (int c = 0; c < 3; ++c)
                v[c] = e[c] + 1.8f * g[c];
            const float l = 0.114f * v[0] + 0.587f * v[1] + 0.299f * v[2];
            for (int c = 0; c < 3; ++c)
                d[c] = ClampByte(l + 1.6f * (v[c] - l));
        }
    });
}

// --- Drawings ----------------------------------------------------------------------------

// Grey pencil lines on white: the picture divided by its blurred negative ("colour dodge"),
// made a few rows at a time.
class DodgeLines {
public:
    DodgeLines(ConstRaster in, double sigma, float darkness, const Context& ctx)
        : in_(in), darkness_(darkness),
          inverse_(FilledBlurStream(in.width, in.height, 1, [in](int y, int first, int end, float* row) {
              LumaRow(in.row(y), first, end, in.channels, row);
              for (int x = first; x < end; ++x)
                  row[x] = 255.0f - row[x];
          }, GaussianBoxes(sigma), GaussianBoxes(sigma), kStepKept, ctx.threads))
    {
    }
    void makeThrough(int y) { inverse_->makeThrough(y); }
    // Row y's lines into `lines` (the picture's width).
    void row(int y, float* lines) const
    {
        LumaRow(in_.row(y), 0, in_.width, in_.channels, lines);
        const float* inverse = inverse_->row(y);
        for (int x = 0; x < in_.width; ++x) {
            const float dodge = std::min(1.0f, lines[x] / std::max(1.0f, 255.0f - inverse[x]));
            lines[x] = 255.0f * std::pow(dodge, darkness_);
        }
    }

private:
    ConstRaster in_;
    float darkness_;
    std::unique_ptr<BlurStream> inverse_;
};

double SketchSpread(const Parameters& p, const Context& ctx)
{
    return (0.6 + 3.4 * p.strength(0)) * ctx.effectUnit();
}

void RunSketch(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    DodgeLines lines(in, SketchSpread(p, ctx), float(1.5 + 2.5 * p.strength(0)), ctx);
    ForRowSteps(out, ctx, [&](int last) { lines.makeThrough(last); }, [&](int y, std::uint8_t* d) {
        std::vector<float> l(std::size_t(out.width));
        lines.row(y, l.data());
        for (int x = 0; x < out.width; ++x, d += 3)
            d[0] = d[1] = d[2] = ClampByte(l[std::size_t(x)]);
    });
}

// Diagonal strokes one effect unit wide: noise averaged along the 45° line, in effect
// units of the whole picture so strokes keep their size in a preview. 0 paper … 1 stroke.
float Hatch(int x, int y, const Context& ctx, std::uint32_t seed)
{
    const double unit = ctx.effectUnit();
    const int ux = int(std::floor((ctx.originX + x) / unit));
    const int uy = int(std::floor((ctx.originY + y) / unit));
    float sum = 0;
    for (int t = -3; t <= 3; ++t)
        sum += UnitNoise(ux + t, uy - t, seed);
    return SmoothStep(0.45f, 0.75f, sum / 7.0f);
}

void RunPencil(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    DodgeLines lines(in, 0.8 * ctx.effectUnit(), 3.0f, ctx);
    const auto tone = BlurredLumaStream(in, 1.5 * ctx.effectUnit(), kStepKept, ctx.threads);
    const float shading = float(0.5 + 0.5 * p.strength(0));
    ForRowSteps(out, ctx, [&](int last) {
        lines.makeThrough(last);
        tone->makeThrough(last);
    }, [&](int y, std::uint8_t* d) {
        std::vector<float> l(std::size_t(out.width));
        lines.row(y, l.data());
        const float* t = tone->row(y);
        for (int x = 0; x < out.width; ++x, d += 3) {
            // Darker tones get denser strokes; paper shows between them.
            const float dark = std::pow(1.0f - t[x] / 255.0f, 0.8f);
            const float hatched = 255.0f * (1.0f - shading * dark * (0.4f + 0.9f * Hatch(x, y, ctx, kOpPencil)));
            d[0] = d[1] = d[2] = ClampByte(std::min(l[std::size_t(x)], hatched));
        }
    });
}

void RunCharcoal(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    const double unit = ctx.effectUnit();
    const auto luma = BlurredLumaStream(in, 1.0 * unit, kStepKept, ctx.threads);
    const float gain = float((3.0 + 6.0 * p.strength(0)) * unit);
    const int height = out.height;
    ForRowSteps(out, ctx, [&](int last) { luma->makeThrough(last); }, [&](int y, std::uint8_t* d) {
        const float* up = luma->row(std::max(y - 1, 0));
        const float* l = luma->row(y);
        const float* down = luma->row(std::min(y + 1, height - 1));
        for (int x = 0; x < out.width; ++x, d += 3) {
            float gx, gy;
            SobelRows(up, l, down, out.width, 1, x, 0, gx, gy);
            const float e = std::sqrt(gx * gx + gy * gy);
            // Smudged tone in a few steps, dark strokes on the edges, grainy paper.
            const float tone = 70.0f + 185.0f * std::pow(l[x] / 255.0f, 1.4f);
            const float stroke = std::min(1.0f, e * gain / 255.0f);
            const float grain = 14.0f * UnitNoise(ctx.originX + x, ctx.originY + y, kOpCharcoal);
            d[0] = d[1] = d[2] = ClampByte(tone * (1.0f - 0.9f * stroke) - grain);
        }
    });
}

void RunColouredPencil(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    DodgeLines lines(in, 0.9 * ctx.effectUnit(), 1.6f, ctx);
    const float colour = float(0.4 + 0.6 * p.strength(0));
    ForRowSteps(out, ctx, [&](int last) { lines.makeThrough(last); }, [&](int y, std::uint8_t* d) {
        std::vector<float> l(std::size_t(out.width));
        lines.row(y, l.data());
        const std::uint8_t* s = in.row(y);
        for (int x = 0; x < out.width; ++x, d += 3, s += 3) {
            // Colour laid on in strokes over the paper, graphite lines on top.
            const float laid = colour * (0.55f + 0.45f * Hatch(x, y, ctx, kOpColouredPencil));
            for (int c = 0; c < 3; ++c)
                d[c] = ClampByte((255.0f - laid * (255.0f - s[c])) * l[std::size_t(x)] / 255.0f);
        }
    });
}

void RunCartoon(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // Flat colour and lines are made a few rows ahead of the result; lines read one row either side.
    constexpr int kRows = 32;
    const double unit = ctx.effectUnit();
    KuwaharaStream flat(in, 3.0 * unit, false, 2 * kRows + 4, ctx.threads);
    const auto luma = BlurredLumaStream(in, 1.0 * unit, 2 * kRows + 4, ctx.threads);
    const int levels = 8 - int(std::lround(4 * p.strength(0)));
    const float lineGain = float(unit * (1.0 + 1.5 * p.strength(0)));
    const int width = out.width, height = out.height;
    for (int first = 0; first < height; first += kRows) {
        const int end = std::min(height, first + kRows);
        flat.makeThrough(end - 1);
        luma->makeThrough(std::min(height - 1, end));
        ParallelFor(end - first, ThreadsFor((long long)(end - first) * (long long)out.rowSamples() * 4, ctx.threads), [&](int begin, int stop) {
            for (int y = first + begin; y < first + stop; ++y) {
                const float* up = luma->row(std::max(y - 1, 0));
                const float* mid = luma->row(y);
                const float* down = luma->row(std::min(y + 1, height - 1));
                const float* f = flat.row(y);
                std::uint8_t* d = out.row(y);
                for (int x = 0; x < width; ++x, d += 3, f += 3) {
                    float gx, gy;
                    SobelRows(up, mid, down, width, 1, x, 0, gx, gy);
                    const float edge = std::sqrt(gx * gx + gy * gy);
                    const float ink = SmoothStep(6.0f, 14.0f, edge * lineGain);
                    for (int c = 0; c < 3; ++c) {
                        const float q = std::round(f[c] / 255.0f * float(levels - 1)) / float(levels - 1) * 255.0f;
                        d[c] = ClampByte((0.7f * q + 0.3f * f[c]) * (1.0f - 0.92f * ink));
                    }
                }
            }
        });
    }
}

int SofteningMargin(double units, const Context& ctx)
{
    return GaussianReach(units * ctx.effectUnit()) + 2;
}

constexpr OperationSpec kEdges[] = {
    {kOpEmboss, 1, 1, true, true, false, [](const Parameters&, const Context& c) { return SofteningMargin(kEmbossSoftening, c); },
     RunEmboss},
    {kOpEdges, 1, 1, true, false, false, [](const Parameters&, const Context& c) { return SofteningMargin(kEdgeSoftening, c); },
     RunEdges},
    {kOpGlowingEdges, 1, 1, true, true, false,
     [](const Parameters&, const Context& c) { return SofteningMargin(0.8, c) + GaussianReach(kGlowSpread * c.effectUnit()); },
     RunGlowingEdges},
    {kOpSketch, 1, 1, true, true, false, [](const Parameters& p, const Context& c) { return GaussianReach(SketchSpread(p, c)) + 2; },
     RunSketch},
    {kOpPencil, 1, 1, true, true, false, [](const Parameters&, const Context& c) { return SofteningMargin(1.5, c); }, RunPencil},
    {kOpCharcoal, 1, 1, true, true, false, [](const Parameters&, const Context& c) { return SofteningMargin(1.0, c); }, RunCharcoal},
    {kOpColouredPencil, 1, 1, true, true, false, [](const Parameters&, const Context& c) { return SofteningMargin(0.9, c); },
     RunColouredPencil},
    {kOpCartoon, 1, 1, true, true, false,
     [](const Parameters&, const Context& c) { return std::max(KuwaharaReach(3.0 * c.effectUnit()), SofteningMargin(1.0, c)); },
     RunCartoon},
};

}  // namespace

std::span<const OperationSpec> EdgeEffects()
{
    return kEdges;
}

}  // namespace lv::effects
