#pragma once
// Blurs whose cost per pixel does not grow with the radius: running sums of "extended"
// boxes (a box with fractional end weights, so radii change smoothly), three passes
// making a close Gaussian.

#include "effects/float_image.h"

#include <cstddef>
#include <functional>

namespace lv::effects {

struct BoxPass {
    int radius = 0;
    float endWeight = 0;  // weight of the two samples just outside the box, 0–1
};

// One extended box with the given variance (in squared pixels).
BoxPass BoxForVariance(double variance);

// Gaussian blur with standard deviations in pixels (0 leaves that direction alone).
// Edges repeat the border pixel.
void GaussianBlur(FloatImage& image, double sigmaX, double sigmaY, int threads);
// Pixels on each side that can influence one result pixel.
int GaussianReach(double sigma);

// A plain box of 2·radius + 1 pixels each way: local means.
void BoxBlur(FloatImage& image, int radius, int threads);

// Averages along rows only, over a box of the given half-length, `passes` times.
void HorizontalBoxBlur(FloatImage& image, double halfLength, int passes, int threads);
int BoxReach(double halfLength, int passes);

// A blurred copy of an 8-bit raster, as floats.
FloatImage BlurredCopy(ConstRaster raster, double sigma, int threads);

// Blurs an 8-bit raster and hands each finished piece of a row to `sink`: row y, samples
// [first, first + count) of it. Pieces come in any order, from any worker thread, each once.
using BlurredRowSink = std::function<void(int y, std::size_t first, std::size_t count, const float* values)>;
void BlurInto(ConstRaster raster, double sigma, int threads, const BlurredRowSink& sink);

}  // namespace lv::effects
