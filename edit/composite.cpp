#include "edit/compositing.h"

#include "edit/layer_blend.h"

#include <algorithm>

namespace lv {
namespace {

int gridScheme = 0;
constexpr std::int64_t kStretch = 1024;

struct Grid {
    std::array<std::int32_t, 3> odd;   // memory order: blue, green, red
    std::array<std::int32_t, 3> even;
};

Grid gridColours(int scheme, int channels)
{
    const auto even = GridEvenColour(scheme);
    Grid grid{{255, 255, 255}, {even[2], even[1], even[0]}};
    if (channels == 1)  // a grey document shows the blue value
        grid.even = {even[2], even[2], even[2]};
    return grid;
}

// Writes one composite row: what the layers left uncovered shows the grid.
void writeRow(RowSums& sums, std::int64_t row, std::int64_t x0, int channels, const Grid& grid, std::uint8_t* out)
{
    const std::int32_t* coverage = sums.coverage();
    const int count = sums.count();
    const bool oddRow = ((row >> 3) & 1) != 0;
    const std::int32_t* s0 = sums.sum(0);
    if (channels == 1) {
        for (int i = 0; i < count; ++i) {
            const bool odd = (((x0 + i) >> 3) & 1) != oddRow;
            out[i] = std::uint8_t((s0[i] + (odd ? grid.odd[0] : grid.even[0]) * (256 - coverage[i]) + 128) >> 8);
        }
        return;
    }
    // One pass writing whole pixels: three strided passes cost more than the arithmetic.
    const std::int32_t* s1 = sums.sum(1);
    const std::int32_t* s2 = sums.sum(2);
    for (int i = 0; i < count; ++i, out += 3) {
        const bool odd = (((x0 + i) >> 3) & 1) != oddRow;
        const auto& g = odd ? grid.odd : grid.even;
        const std::int32_t uncovered = 256 - coverage[i];
        out[0] = std::uint8_t((s0[i] + g[0] * uncovered + 128) >> 8);
        out[1] = std::uint8_t((s1[i] + g[1] * uncovered + 128) >> 8);
        out[2] = std::uint8_t((s2[i] + g[2] * uncovered + 128) >> 8);
    }
}

}  // namespace

void SetTransparencyGridScheme(int scheme)
{
    gridScheme = scheme >= 0 && scheme <= 2 ? scheme : 0;
}

int TransparencyGridScheme()
{
    return gridScheme;
}

std::array<std::uint8_t, 3> GridEvenColour(int scheme)
{
    switch (scheme) {
    case 1: return {192, 192, 192};
    case 2: return {255, 128, 192};
    default: return {255, 255, 255};
    }
}

void CompositeLayers(LayerStack& stack, std::optional<Rect> rect)
{
    HDIB& composite = stack.composite;
    const std::int64_t width = stack.width;
    const std::int64_t height = stack.height;
    const int channels = stack.bitCount == 8 ? 1 : 3;
    if (!composite || composite.width() != width || composite.height() != height || composite.bitCount() != 8 * channels)
        return;
    const Rect r = rect.value_or(Rect{0, 0, std::int32_t(width), std::int32_t(height)});
    // Inclusive columns and picture rows (counted from the bottom) from here on.
    const std::int64_t left = std::max<std::int64_t>(r.left, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t(r.right) - 1, width - 1);
    const std::int64_t firstRow = std::max<std::int64_t>(height - r.bottom, 0);
    const std::int64_t lastRow = std::min<std::int64_t>(height - 1, height - std::int64_t(r.top) - 1);
    if (left > right || firstRow > lastRow)
        return;

    BlendTable table(stack, BlendSelection::Visible);
    table.dropTrailingMasks();
    const Grid grid = gridColours(gridScheme, channels);
    RowSums sums;
    // Rows are done in stretches whose sums stay in the first-level cache while every
    // layer passes over them.
    for (std::int64_t row = firstRow; row <= lastRow; ++row)
        for (std::int64_t x = left; x <= right; x += kStretch) {
            sums.reset(int(std::min(kStretch, right - x + 1)), channels);
            AccumulateRow(table, row, x, channels, sums);
            writeRow(sums, row, x, channels, grid, composite.row(int(row)) + x * channels);
        }
}

}  // namespace lv
