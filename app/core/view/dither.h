#pragma once
// Ordered dither for displays of 8 bits per pixel or less: a 216-colour cube for 8-bit
// displays and one bit per channel below that. The pattern is tied to the picture (view
// coordinates include the scroll offset), so it stays put while scrolling.

#include "app/core/view/gamma.h"
#include "app/core/view/rgb_triple.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lv {

// The 8 × 8 Bayer matrix, values 0..63.
inline constexpr std::array<std::array<std::uint8_t, 8>, 8> kBayer8 = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

inline int DitherThreshold(int x, int y)
{
    return kBayer8[std::size_t(y & 7)][std::size_t(x & 7)];
}

// Palette entry i of the colour cube: red (i mod 6) × 51, green ((i / 6) mod 6) × 51, blue (i / 36) × 51.
RgbTriple ColourCubeEntry(int index);
// Palette entry i of the eight-colour palette: bit 0 red, bit 1 green, bit 2 blue.
RgbTriple EightColourEntry(int index);

// Each channel's contribution to the cube index (level or level + 1, times 1, 6 or 36),
// precomputed through the gamma tables for every value and matrix position.
class DitherTable {
public:
    explicit DitherTable(const GammaTables& gamma);

    std::uint8_t cubeIndex(RgbTriple pixel, int x, int y) const
    {
        const std::size_t position = std::size_t((y & 7) * 8 + (x & 7));
        return std::uint8_t(at(0, pixel.red, position) + at(1, pixel.green, position) + at(2, pixel.blue, position));
    }

private:
    std::uint8_t at(std::size_t channel, std::uint8_t value, std::size_t position) const
    {
        return entries_[(channel * 256 + value) * 64 + position];
    }
    std::vector<std::uint8_t> entries_;  // 3 × 256 × 64
};

// Index into the eight-colour palette: a channel's bit is set when (25 + 13 g) / 51 exceeds the threshold.
std::uint8_t OneBitIndex(const GammaTables& gamma, RgbTriple pixel, int x, int y);

}  // namespace lv
