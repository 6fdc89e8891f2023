#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <vector>

// Bilinear weights are in eighths. The four-term sum
//   P(i,j)·wx·wy + P(i+1,j)·(8−wx)·wy + P(i,j+1)·wx·(8−wy) + P(i+1,j+1)·(8−wx)·(8−wy)
// equals wy·H(j) + (8−wy)·H(j+1) with H(r) = P(i,r)·wx + P(i+1,r)·(8−wx), so each source row
// is interpolated across once and rows are then blended: the same integers, fewer steps.

namespace lv {
namespace {

// Where one output column or row samples: its first source index (in bytes for columns),
// the second one, and the first one's weight. At the far edge the second index repeats
// the first with weight 0, so no branch is needed and nothing past the edge is read.
struct Tap {
    std::uint32_t first;
    std::uint32_t second;
    std::uint32_t weight;  // 0..8, of the first sample
};

// Positions accumulate source/target in double precision, as the weights are defined.
std::vector<Tap> bilinearTaps(int sourceSize, int targetSize, std::uint32_t step)
{
    std::vector<Tap> taps(static_cast<std::size_t>(targetSize));
    const double ratio = double(sourceSize) / double(targetSize);
    double s = 0;
    for (Tap& tap : taps) {
        const int i = int(s);
        if (i < sourceSize - 1) {
            const auto weight = std::uint32_t((double(i + 1) - s) * 8 + 0.5);
            tap = {std::uint32_t(i) * step, std::uint32_t(i + 1) * step, weight};
        } else {
            const std::uint32_t last = std::uint32_t(sourceSize - 1) * step;
            tap = {last, last, 8};
        }
        s += ratio;
    }
    return taps;
}

std::vector<int> nearestTaps(int sourceSize, int targetSize)
{
    std::vector<int> taps(static_cast<std::size_t>(targetSize));
    const double ratio = double(sourceSize) / double(targetSize);
    double s = 0;
    for (int& tap : taps) {
        tap = std::min(int(s + 0.5), sourceSize - 1);
        s += ratio;
    }
    return taps;
}

bool cancelledAt(int y, int height)
{
    if (AbortRequested())
        return true;
    if (y % 16 == 0)
        ReportProgress(kProgressProcessing, int(std::int64_t(y) * 100 / height));
    return false;
}

template<int Channels>
void interpolateAcross(const std::uint8_t* in, std::uint16_t* out, const std::vector<Tap>& columns)
{
    for (const Tap& tap : columns) {
        const std::uint32_t w = tap.weight;
        for (int c = 0; c < Channels; ++c)
            *out++ = std::uint16_t(in[tap.first + c] * w + in[tap.second + c] * (8 - w));
    }
}

template<int Channels>
bool resizeBilinear(const HDIB& source, HDIB& target)
{
    const int width = target.width();
    const int height = target.height();
    const std::vector<Tap> columns = bilinearTaps(source.width(), width, Channels);
    const std::vector<Tap> rows = bilinearTaps(source.height(), height, 1);
    const std::size_t count = std::size_t(width) * Channels;

    // The two source rows last interpolated across, by source row index.
    std::vector<std::uint16_t> across[2] = {std::vector<std::uint16_t>(count), std::vector<std::uint16_t>(count)};
    std::int64_t held[2] = {-1, -1};
    const auto fetch = [&](std::uint32_t row, std::uint32_t keep) -> const std::uint16_t* {
        for (int k = 0; k < 2; ++k)
            if (held[k] == row)
                return across[k].data();
        const int k = held[0] == keep ? 1 : 0;
        interpolateAcross<Channels>(source.row(int(row)), across[k].data(), columns);
        held[k] = row;
        return across[k].data();
    };

    for (int y = 0; y < height; ++y) {
        if (cancelledAt(y, height))
            return false;
        const Tap& tap = rows[std::size_t(y)];
        const std::uint16_t* thisRow = fetch(tap.first, tap.second);
        const std::uint16_t* nextRow = fetch(tap.second, tap.first);
        const std::uint32_t w = tap.weight;
        std::uint8_t* out = target.row(y);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = std::uint8_t((thisRow[i] * w + nextRow[i] * (8 - w) + 32) >> 6);
    }
    return true;
}

bool resizeNearest(const HDIB& source, HDIB& target)
{
    const int width = target.width();
    const int height = target.height();
    const int bits = source.bitCount();
    const std::vector<int> columns = nearestTaps(source.width(), width);
    const std::vector<int> rows = nearestTaps(source.height(), height);
    for (int y = 0; y < height; ++y) {
        if (cancelledAt(y, height))
            return false;
        const std::uint8_t* in = source.row(rows[std::size_t(y)]);
        std::uint8_t* out = target.row(y);
        for (int x = 0; x < width; ++x)
            AddPackedPixel(out, x, bits, PackedPixel(in, columns[std::size_t(x)], bits));
    }
    return true;
}

}  // namespace

HDIB DibResize(const HDIB& image, int width, int height)
{
    if (!image || width < 1 || height < 1 || image.width() < 1 || image.height() < 1)
        return {};
    const int bits = image.bitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return {};
    if (PictureBytes(width, height, unsigned(bits)) == 0)
        return {};
    HDIB result = DibAllocDerived(image, width, height, unsigned(bits), image.clrUsed());
    if (!result)
        return result;
    std::copy(image.colors(), image.colors() + image.clrUsed(), result.colors());
    result.header().biYPelsPerMeter = result.header().biXPelsPerMeter;

    bool done;
    if (bits == 24)
        done = resizeBilinear<3>(image, result);
    else if (DibIsGrey(image))
        done = resizeBilinear<1>(image, result);
    else
        done = resizeNearest(image, result);
    return done ? std::move(result) : HDIB();
}

}  // namespace lv
