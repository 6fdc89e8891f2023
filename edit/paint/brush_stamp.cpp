#include "edit/paint/brush_stamp.h"

#include "edit/layer_pictures.h"
#include "edit/selection/colour_match.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

constexpr std::array<int, 25> kSoftKernel = {
    15, 25, 30, 25, 15,  //
    25, 40, 60, 40, 25,  //
    30, 60, 100, 60, 30,  //
    25, 40, 60, 40, 25,  //
    15, 25, 30, 25, 15,
};

constexpr std::array<int, 81> kAirbrushKernel = {
    0, 0, 0, 1,  2,  1, 0, 0, 0,  //
    0, 0, 1, 2,  4,  2, 1, 0, 0,  //
    0, 1, 2, 4,  8,  4, 2, 1, 0,  //
    1, 2, 4, 9,  16, 9, 4, 2, 1,  //
    2, 4, 8, 16, 32, 16, 8, 4, 2,  //
    1, 2, 4, 9,  16, 9, 4, 2, 1,  //
    0, 1, 2, 4,  8,  4, 2, 1, 0,  //
    0, 0, 1, 2,  4,  2, 1, 0, 0,  //
    0, 0, 0, 1,  2,  1, 0, 0, 0,
};

bool inShape(int shape, int i, int j, int s)
{
    switch (shape) {
    case 0: return true;
    case 2: return j == s / 2;
    case 3: return i == s / 2;
    case 4: return i == j;
    case 5: return i + j == s - 1;
    default: {
        const int dx = 2 * i - s + 1, dy = 2 * j - s + 1;
        return dx * dx + dy * dy < s * s;
    }
    }
}

// Each shape cell adds the kernel (times `factor`) with its top-left at the cell.
BrushStamp blurred(const std::vector<std::uint8_t>& cells, int s, const int* kernel, int kernelSize, int factor)
{
    BrushStamp stamp;
    stamp.size = s + kernelSize - 1;
    std::vector<int> sum(std::size_t(stamp.size) * std::size_t(stamp.size), 0);
    for (int j = 0; j < s; ++j)
        for (int i = 0; i < s; ++i) {
            if (!cells[std::size_t(j * s + i)])
                continue;
            for (int kj = 0; kj < kernelSize; ++kj)
                for (int ki = 0; ki < kernelSize; ++ki)
                    sum[std::size_t((j + kj) * stamp.size + i + ki)] += kernel[kj * kernelSize + ki] * factor;
        }
    stamp.alpha.resize(sum.size());
    std::transform(sum.begin(), sum.end(), stamp.alpha.begin(),
                   [](int v) { return std::uint8_t(std::min((v + 2047) >> 11, 255)); });
    return stamp;
}

}  // namespace

std::vector<std::uint8_t> BrushShapeCells(int shape, int size, const HDIB* custom)
{
    std::vector<std::uint8_t> cells(std::size_t(size) * std::size_t(size), 0);
    const bool picture = shape == int(BrushShape::Custom) && custom && *custom && IsFillablePicture(*custom)
                         && custom->width() > 0 && custom->height() > 0;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            bool on;
            if (picture) {
                const SeedColour c = PictureColourAt(*custom, i * custom->width() / size, j * custom->height() / size);
                on = GreyValue(c.red, c.green, c.blue) < 128;
            } else {
                on = inShape(shape, i, j, size);
            }
            cells[std::size_t(j * size + i)] = on ? 1 : 0;
        }
    return cells;
}

BrushStamp BuildBrushStamp(const StampKey& key)
{
    switch (key.kind) {
    case StampKind::Soft: {
        const int s = std::clamp(key.size, 1, 28);
        return blurred(BrushShapeCells(key.shape, s, key.custom), s, kSoftKernel.data(), 5, key.weight + 1);
    }
    case StampKind::Airbrush: {
        const int s = std::clamp(key.size, 1, 24);
        return blurred(BrushShapeCells(key.shape, s, key.custom), s, kAirbrushKernel.data(), 9, key.weight / 2 + 1);
    }
    case StampKind::Hard: break;
    }
    const int s = std::clamp(key.size, 1, kLargestDab);
    BrushStamp stamp;
    stamp.size = s;
    stamp.alpha = BrushShapeCells(key.shape, s, key.custom);
    for (std::uint8_t& a : stamp.alpha)
        a = a ? 255 : 0;
    return stamp;
}

const BrushStamp& StampCache::get(const StampKey& key)
{
    if (builds_ == 0 || !(key == key_)) {
        stamp_ = BuildBrushStamp(key);
        key_ = key;
        ++builds_;
    }
    return stamp_;
}

}  // namespace lv
