// Colour rows of joined tiles agree with the JPEG library's fixed-point conversion for
// every luma and Cb and a spread of Cr, the clamped corners included.

#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_ycc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lv::flashpix {
namespace {

TEST(FlashPixYcc, SampleTriplesConvertAsTheLibraryDoes)
{
    // 256 tiles, each of one Cb (its index) and one Cr (the pass) over its whole chroma
    // plane, so the smoothing leaves them as they are; each tile's first four rows hold
    // every luma.
    constexpr std::size_t kTiles = 256, width = kTiles * kTileSize, half = width / 2;
    std::vector<std::uint8_t> luma(width * kTileSize), blue(half * kTileSize / 2), red(blue.size()), bgr(3 * width);
    for (std::size_t y = 0; y < 4; ++y)
        for (std::size_t x = 0; x < width; ++x)
            luma[y * width + x] = std::uint8_t(y * kTileSize + x % kTileSize);
    for (std::size_t i = 0; i < blue.size(); ++i)
        blue[i] = std::uint8_t(i % half / (kTileSize / 2));
    int wrong = 0;
    for (int cr = 0; cr < 256; cr += 3) {  // 0 to 255
        std::fill(red.begin(), red.end(), std::uint8_t(cr));
        for (int y = 0; y < 4; ++y) {
            TileRowToBgr({luma.data(), blue.data(), red.data(), width}, y, width, bgr.data());
            for (std::size_t x = 0; x < width; ++x) {
                const int l = luma[std::size_t(y) * width + x], b = int(x / kTileSize) - 128, r = cr - 128;
                // The library's factors 1.772, 0.34414, 0.71414 and 1.402 in 16 fraction bits.
                const int expected[3] = {l + ((116130 * b + 32768) >> 16), l + ((-22554 * b - 46802 * r + 32768) >> 16),
                                         l + ((91881 * r + 32768) >> 16)};
                for (int k = 0; k < 3; ++k)
                    wrong += bgr[3 * x + std::size_t(k)] != std::clamp(expected[k], 0, 255);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace lv::flashpix
