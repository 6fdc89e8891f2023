#pragma once
// Building blocks of the neighbourhood effects: gradients, edge-preserving smoothing and
// sampling at fractional positions.

#include "effects/float_image.h"
#include "effects/operation.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

// Sobel gradient of channel `c` at column x, from the rows above, at and below it (the
// border row repeated at the picture's edges); columns repeat the border pixel.
inline void SobelRows(const float* up, const float* mid, const float* down, int width, int ch, int x, int c, float& gx, float& gy)
{
    const int x0 = std::max(x - 1, 0), x1 = std::min(x + 1, width - 1);
    const auto at = [&](const float* row, int xx) { return row[xx * ch + c]; };
    gx = (at(up, x1) + 2 * at(mid, x1) + at(down, x1) - at(up, x0) - 2 * at(mid, x0) - at(down, x0)) * 0.125f;
    gy = (at(down, x0) + 2 * at(down, x) + at(down, x1) - at(up, x0) - 2 * at(up, x) - at(up, x1)) * 0.125f;
}

// Sobel gradient of channel `c` at (x, y), edges repeating the border pixel.
inline void Sobel(const FloatImage& image, int x, int y, int c, float& gx, float& gy)
{
    SobelRows(image.row(std::max(y - 1, 0)), image.row(y), image.row(std::min(y + 1, image.height - 1)), image.width,
              image.channels, x, c, gx, gy);
}

// Gradient length of every channel, in levels per pixel.
FloatImage GradientMagnitude(const FloatImage& image, int threads);

// Edge-preserving smoothing: each pixel takes the means of the four squares of side
// 2·half + 1 around it, weighted toward the calmest. Flat patches with crisp borders.
FloatImage Kuwahara(ConstRaster in, double half, int threads);
int KuwaharaReach(double half);
// The same with squares that grow smoothly with `half`: between two whole offsets the
// results blend, so a strength slider is not rounded away.
FloatImage SmoothKuwahara(ConstRaster in, double half, int threads);
int SmoothKuwaharaReach(double half);

// The pieces of both, for computing them a few rows at a time. Statistics per pixel: the
// colour, then luma and luma squared; columns [first, end) of a row.
void KuwaharaStatisticsRow(const std::uint8_t* in, int first, int end, int channels, float* row);
// One result row from the blurred statistics rows h above and h below it.
void KuwaharaSquaresRow(const float* above, const float* below, int width, int channels, int h, float* out);
// Offset of the smooth filter's squares; between two whole offsets the results blend.
double SmoothSquareOffset(double half);

// Bilinear reads of a raster at positions in whole-picture working coordinates; positions
// outside the picture take the nearest border pixel.
class Sampler {
public:
    Sampler(ConstRaster raster, const Context& ctx) : raster_(raster), ctx_(ctx) {}
    // Writes `raster.channels` samples at (x, y) into `out`.
    void sample(float x, float y, float* out) const;

private:
    ConstRaster raster_;
    const Context& ctx_;
};

// Bilinear read of `channels` samples at (x, y), clamped to the rows' edges; rowOf(y)
// points at row y.
template<typename RowOf>
void BilinearRead(const RowOf& rowOf, int width, int height, int channels, float x, float y, float* out)
{
    x = std::clamp(x, 0.0f, float(width - 1));
    y = std::clamp(y, 0.0f, float(height - 1));
    const int x0 = int(x), y0 = int(y);
    const int x1 = std::min(x0 + 1, width - 1), y1 = std::min(y0 + 1, height - 1);
    const float fx = x - float(x0), fy = y - float(y0);
    const auto* r0 = rowOf(y0);
    const auto* r1 = rowOf(y1);
    for (int c = 0; c < channels; ++c) {
        const float top = float(r0[x0 * channels + c]) + fx * (float(r0[x1 * channels + c]) - float(r0[x0 * channels + c]));
        const float bottom = float(r1[x0 * channels + c]) + fx * (float(r1[x1 * channels + c]) - float(r1[x0 * channels + c]));
        out[c] = top + fy * (bottom - top);
    }
}

// Bilinear read of a float image at a position in its own pixels, clamped to its edges.
void SampleFloat(const FloatImage& image, float x, float y, float* out);

inline float SmoothStep(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Reach of a distance given in effect units, as whole working pixels plus a safety pixel.
inline int UnitReach(double units, const Context& ctx)
{
    return int(std::ceil(units * ctx.effectUnit())) + 2;
}

}  // namespace lv::effects
