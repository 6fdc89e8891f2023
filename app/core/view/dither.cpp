#include "app/core/view/dither.h"

namespace lv {
namespace {

int cubeContribution(int g, int threshold, int weight)
{
    const int level = g / 51;
    const int fraction = (g % 51) * 65 / 51;
    return (fraction > threshold ? level + 1 : level) * weight;
}

bool oneBit(int g, int threshold)
{
    return (25 + 13 * g) / 51 > threshold;
}

}  // namespace

RgbTriple ColourCubeEntry(int index)
{
    return {std::uint8_t(index % 6 * 51), std::uint8_t(index / 6 % 6 * 51), std::uint8_t(index / 36 * 51)};
}

RgbTriple EightColourEntry(int index)
{
    return {std::uint8_t(index & 1 ? 255 : 0), std::uint8_t(index & 2 ? 255 : 0), std::uint8_t(index & 4 ? 255 : 0)};
}

DitherTable::DitherTable(const GammaTables& gamma)
    : entries_(3 * 256 * 64)
{
    const GammaTable* tables[3] = {&gamma.red, &gamma.green, &gamma.blue};
    constexpr int weights[3] = {1, 6, 36};
    for (std::size_t channel = 0; channel < 3; ++channel)
        for (std::size_t value = 0; value < 256; ++value)
            for (std::size_t position = 0; position < 64; ++position)
                entries_[(channel * 256 + value) * 64 + position] = std::uint8_t(cubeContribution(
                    (*tables[channel])[value], kBayer8[position / 8][position % 8], weights[channel]));
}

std::uint8_t OneBitIndex(const GammaTables& gamma, RgbTriple pixel, int x, int y)
{
    const int t = DitherThreshold(x, y);
    return std::uint8_t((oneBit(gamma.red[pixel.red], t) ? 1 : 0) | (oneBit(gamma.green[pixel.green], t) ? 2 : 0)
                        | (oneBit(gamma.blue[pixel.blue], t) ? 4 : 0));
}

}  // namespace lv
