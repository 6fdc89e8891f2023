#include "edit/selection/colour_match.h"

#include <algorithm>
#include <cstdlib>

namespace lv {
namespace {

void fillChannel(std::array<std::uint8_t, 256>& table, int seed, SimilarityMode mode, int limit)
{
    for (int v = 0; v < 256; ++v) {
        const bool ok = mode == SimilarityMode::Tolerance ? std::abs(v - seed) <= limit : (v <= limit) == (seed <= limit);
        table[std::size_t(v)] = ok ? 1 : 0;
    }
}

}  // namespace

bool IsFillablePicture(const HDIB& picture)
{
    if (!picture)
        return false;
    const int bits = picture.bitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return false;
    // A palette picture must carry the table its pixels index.
    return bits == 24 || picture.clrUsed() > 0;
}

SeedColour PictureColourAt(const HDIB& picture, int x, int row)
{
    const std::uint8_t* line = picture.row(picture.height() - 1 - row);
    if (picture.bitCount() == 24) {
        const std::uint8_t* p = line + 3 * x;
        return {p[2], p[1], p[0]};
    }
    const unsigned index = PackedPixel(line, x, picture.bitCount());
    if (index >= picture.clrUsed())
        return {};
    const RgbQuad& c = picture.colors()[index];
    return {c.rgbRed, c.rgbGreen, c.rgbBlue};
}

ColourTest::ColourTest(SeedColour seed, SimilarityMode mode, ChannelLimits limits)
{
    fillChannel(red_, seed.red, mode, limits.red);
    fillChannel(green_, seed.green, mode, limits.green);
    fillChannel(blue_, seed.blue, mode, limits.blue);
}

std::array<std::uint8_t, 256> ColourTest::paletteMatches(const HDIB& picture) const
{
    std::array<std::uint8_t, 256> table{};
    const unsigned colours = std::min(picture.clrUsed(), 256u);
    for (unsigned i = 0; i < colours; ++i) {
        const RgbQuad& c = picture.colors()[i];
        table[i] = matches(c.rgbRed, c.rgbGreen, c.rgbBlue) ? 1 : 0;
    }
    return table;
}

}  // namespace lv
