#pragma once
// Building blocks of the neighbourhood effects: gradients, edge-preserving smoothing and
// sampling at fractional positions.

#include "effects/float_image.h"
#include "effects/operation.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

// Sobel gradient of channel `c` at (x, y), edges repeating the border pixel.
inline void Sobel(const FloatImage& image, int x, int y, int c, float& gx, float& gy)
{
    const int ch = image.channels;
    const int x0 = std::max(x - 1, 0), x1 = std::min(x + 1, image.width - 1);
    const float* up = image.row(std::max(y - 1, 0));
    const float* mid = image.row(y);
    const float* down = image.row(std::min(y + 1, image.height - 1));
    const auto at = [&](const float* row, int xx) { return row[xx * ch + c]; };
    gx = (at(up, x1) + 2 * at(mid, x1) + at(down, x1) - at(up, x0) - 2 * at(mid, x0) - at(down, x0)) * 0.125f;
    gy = (at(down, x0) + 2 * at(down, x) + at(down, x1) - at(up, x0) - 2 * at(up, x) - at(up, x1)) * 0.125f;
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
