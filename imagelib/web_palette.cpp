#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lv {
namespace {

// Palette component of a level: 0, 51, ... 255.
constexpr int kLevelValue[6] = {0, 51, 102, 153, 204, 255};

constexpr int levelOf(int v)
{
    return v < 26 ? 0 : v < 77 ? 1 : v < 128 ? 2 : v < 179 ? 3 : v < 230 ? 4 : 5;
}

// Examined values stay within a level's reach of 0..255 (errors never exceed ±25); the
// table covers a wider span and lookups clamp into it anyway.
constexpr int kTableLow = -64, kTableHigh = 320;
constexpr auto kLevels = [] {
    std::array<std::uint8_t, kTableHigh - kTableLow + 1> t{};
    for (int v = kTableLow; v <= kTableHigh; ++v)
        t[std::size_t(v - kTableLow)] = std::uint8_t(levelOf(v));
    return t;
}();

inline int tableLevel(int v)
{
    return kLevels[std::size_t(std::clamp(v, kTableLow, kTableHigh) - kTableLow)];
}

// n / 2^shift rounded to nearest with halves away from zero, without branches.
template<int Shift>
inline int divideRounded(int n)
{
    const int sign = n >> 31;  // 0 or -1
    const int magnitude = ((n ^ sign) - sign + (1 << (Shift - 1))) >> Shift;
    return (magnitude ^ sign) - sign;
}

void fillWebPalette(RgbQuad* table)
{
    for (int i = 0; i < 216; ++i)
        table[i] = {std::uint8_t(i / 36 * 51), std::uint8_t(i % 36 / 6 * 51), std::uint8_t(i % 6 * 51), 0};
}

// Quantises one pixel (three channels) given the diffused shares; stores the errors.
inline std::uint8_t quantise(const std::uint8_t* in, const int* share, int* err)
{
    int level[3];
    for (int c = 0; c < 3; ++c) {
        const int examined = in[c] + share[c];
        level[c] = tableLevel(examined);
        err[c] = examined - kLevelValue[level[c]];
    }
    return std::uint8_t(level[2] + 6 * level[1] + 36 * level[0]);
}

}  // namespace

HDIB DibReduceToWebPalette(const HDIB& source, FileFailure* shortage)
{
    if (!source || source.bitCount() != 24)
        return {};
    const int width = source.width();
    const int height = source.height();
    HDIB result = DibAllocDerived(source, width, height, 8, 256, shortage);
    if (!result)
        return {};
    fillWebPalette(result.colors());

    // Errors of the row above and of the current row, three channels interleaved (b, g, r),
    // with one zero cell on each side so the edges need no tests.
    const std::size_t cells = (std::size_t(width) + 2) * 3;
    std::vector<int> above(cells, 0);
    std::vector<int> current(cells, 0);
    int share[3];
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = result.row(y);
        int* err = current.data() + 3;
        const int* up = above.data() + 3;
        if (y == 0) {
            // The first row gathers the whole error of its left neighbour.
            for (int x = 0; x < width; ++x, in += 3, err += 3) {
                share[0] = err[-3], share[1] = err[-2], share[2] = err[-1];
                out[x] = quantise(in, share, err);
            }
        } else {
            for (int c = 0; c < 3; ++c)
                share[c] = divideRounded<3>(5 * up[c] + 3 * up[c + 3]);
            out[0] = quantise(in, share, err);
            for (int x = 1; x < width; ++x) {
                in += 3, err += 3, up += 3;
                for (int c = 0; c < 3; ++c)
                    share[c] = divideRounded<4>(7 * err[c - 3] + 5 * up[c] + 3 * up[c + 3] + up[c - 3]);
                out[x] = quantise(in, share, err);
            }
        }
        std::swap(above, current);
    }
    return result;
}

}  // namespace lv
