#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

#include <algorithm>
#include <vector>

namespace lv {
namespace {

// Palette component of a level: 0, 51, ... 255.
constexpr int kLevelValue[6] = {0, 51, 102, 153, 204, 255};

inline int levelOf(int v)
{
    if (v < 26)
        return 0;
    if (v < 77)
        return 1;
    if (v < 128)
        return 2;
    if (v < 179)
        return 3;
    if (v < 230)
        return 4;
    return 5;
}

// Integer division rounded to nearest with halves away from zero.
inline int divideRounded(int numerator, int denominator)
{
    const int half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

void fillWebPalette(RgbQuad* table)
{
    for (int i = 0; i < 216; ++i)
        table[i] = {std::uint8_t(i / 36 * 51), std::uint8_t(i % 36 / 6 * 51), std::uint8_t(i % 6 * 51), 0};
}

}  // namespace

HDIB DibReduceToWebPalette(const HDIB& source)
{
    if (!source || source.bitCount() != 24)
        return {};
    const int width = source.width();
    const int height = source.height();
    const std::size_t stride8 = std::size_t(DibStride(std::uint32_t(width), 8));
    HDIB result = DibAlloc(stride8 * std::size_t(height) + kDib8PixelOffset);
    if (!result)
        return {};
    result.header() = source.header();
    result.header().biBitCount = 8;
    result.header().biClrUsed = 256;
    result.header().biSizeImage = std::uint32_t(stride8 * std::size_t(height));
    fillWebPalette(result.colors());

    // Errors of the row above and of the current row, three channels interleaved (b, g, r).
    std::vector<int> above(std::size_t(width) * 3, 0);
    std::vector<int> current(std::size_t(width) * 3, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < width; ++x) {
            int level[3];
            for (int c = 0; c < 3; ++c) {
                const std::size_t i = std::size_t(x) * 3 + std::size_t(c);
                const int left = x > 0 ? current[i - 3] : 0;
                int share;
                if (y == 0) {
                    share = left;
                } else {
                    const int up = above[i];
                    const int upRight = x + 1 < width ? above[i + 3] : 0;
                    if (x == 0) {
                        share = divideRounded(5 * up + 3 * upRight, 8);
                    } else {
                        const int upLeft = above[i - 3];
                        share = divideRounded(7 * left + 5 * up + 3 * upRight + upLeft, 16);
                    }
                }
                const int examined = in[i] + share;
                level[c] = levelOf(examined);
                current[i] = examined - kLevelValue[level[c]];
            }
            out[x] = std::uint8_t(level[2] + 6 * level[1] + 36 * level[0]);
        }
        std::swap(above, current);
    }
    return result;
}

}  // namespace lv
