#include "edit/text_render/mask_blur.h"

#include "edit/layer_pictures.h"

#include <cmath>
#include <vector>

namespace lv {
namespace {

constexpr int kWeightBits = 16;

// Weights for offsets -radius..radius summing to exactly 1 << kWeightBits, so a flat
// area keeps its value.
std::vector<std::uint32_t> gaussianWeights(int radius)
{
    const double sigma = radius / 2.0;
    std::vector<double> raw(std::size_t(2 * radius + 1));
    double sum = 0;
    for (int k = -radius; k <= radius; ++k)
        sum += raw[std::size_t(k + radius)] = std::exp(-double(k * k) / (2 * sigma * sigma));
    std::vector<std::uint32_t> weights(raw.size());
    std::uint32_t total = 0;
    for (std::size_t i = 0; i < raw.size(); ++i)
        total += weights[i] = std::uint32_t(std::lround(raw[i] / sum * (1 << kWeightBits)));
    weights[std::size_t(radius)] += (1u << kWeightBits) - total;  // rounding left over goes to the centre
    return weights;
}

// One pass along a line of `count` samples `step` apart; samples beyond the line are 0.
void blurLine(const std::uint8_t* in, std::uint8_t* out, int count, std::ptrdiff_t step,
              const std::vector<std::uint32_t>& weights, int radius)
{
    for (int i = 0; i < count; ++i) {
        std::uint64_t sum = 0;
        const int from = std::max(0, i - radius), to = std::min(count - 1, i + radius);
        for (int j = from; j <= to; ++j)
            sum += std::uint64_t(in[j * step]) * weights[std::size_t(j - i + radius)];
        out[i * step] = std::uint8_t((sum + (1u << (kWeightBits - 1))) >> kWeightBits);
    }
}

}  // namespace

HDIB GaussianBlurMask(const HDIB& mask, int radius)
{
    if (!mask || mask.bitCount() != 8 || radius < 0)
        return {};
    const int width = mask.width() + 2 * radius, height = mask.height() + 2 * radius;
    HDIB padded = MakeGreyFilled(width, height, 0);
    if (!padded)
        return padded;
    for (int y = 0; y < mask.height(); ++y)
        std::copy(mask.row(y), mask.row(y) + mask.width(), padded.row(y + radius) + radius);
    if (radius == 0)
        return padded;
    HDIB across = MakeGreyFilled(width, height, 0);
    HDIB result = MakeGreyFilled(width, height, 0);
    if (!across || !result)
        return {};
    const std::vector<std::uint32_t> weights = gaussianWeights(radius);
    for (int y = 0; y < height; ++y)
        blurLine(padded.row(y), across.row(y), width, 1, weights, radius);
    const auto stride = std::ptrdiff_t(across.stride());
    for (int x = 0; x < width; ++x)
        blurLine(across.row(0) + x, result.row(0) + x, height, stride, weights, radius);
    return result;
}

}  // namespace lv
