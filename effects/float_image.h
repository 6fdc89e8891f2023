#pragma once
// Pixels as floats (0–255 scale) for passes that must not round between steps.

#include "effects/raster.h"

#include <cstddef>
#include <vector>

namespace lv::effects {

struct FloatImage {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<float> samples;

    FloatImage() = default;
    FloatImage(int w, int h, int c) : width(w), height(h), channels(c), samples(std::size_t(w) * std::size_t(h) * std::size_t(c)) {}

    float* row(int y) { return samples.data() + std::size_t(y) * rowSamples(); }
    const float* row(int y) const { return samples.data() + std::size_t(y) * rowSamples(); }
    std::size_t rowSamples() const { return std::size_t(width) * std::size_t(channels); }
};

FloatImage ToFloat(ConstRaster raster, int threads);
// Rounds and clamps every sample into `raster` (same size and channels).
void FromFloat(const FloatImage& image, Raster raster, int threads);

// The luma of every pixel as a one-channel image.
FloatImage LumaImage(ConstRaster raster, int threads);

}  // namespace lv::effects
