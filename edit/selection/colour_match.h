#pragma once
// Whether a pixel's colour is like the seed's: the rule the magic wand and the bucket fill
// share. Pixels of palette pictures are compared through their colour table.

#include "imagelib/dib.h"

#include <array>
#include <cstdint>

namespace lv {

// Tolerance mode: every channel within its tolerance of the seed's. Threshold mode: every
// channel on the same side of its value t (both at most t, or both above) as the seed's.
enum class SimilarityMode { Tolerance = 0, Threshold = 1 };

struct ChannelLimits {
    int red = 32;
    int green = 32;
    int blue = 32;
};

struct SeedColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Whether the picture is one the fills work on: 1-, 4-, 8- or 24-bit.
bool IsFillablePicture(const HDIB& picture);

// The colour of pixel (x, row from the top), read through the table for palette pictures.
SeedColour PictureColourAt(const HDIB& picture, int x, int row);

// The test as three tables of 256 entries, so a pixel costs three lookups.
class ColourTest {
public:
    ColourTest(SeedColour seed, SimilarityMode mode, ChannelLimits limits);

    bool matches(unsigned red, unsigned green, unsigned blue) const { return red_[red] & green_[green] & blue_[blue]; }
    // For palette pictures: which table entries match.
    std::array<std::uint8_t, 256> paletteMatches(const HDIB& picture) const;

    const std::array<std::uint8_t, 256>& red() const { return red_; }
    const std::array<std::uint8_t, 256>& green() const { return green_; }
    const std::array<std::uint8_t, 256>& blue() const { return blue_; }

private:
    std::array<std::uint8_t, 256> red_{};
    std::array<std::uint8_t, 256> green_{};
    std::array<std::uint8_t, 256> blue_{};
};

}  // namespace lv
