#include "edit/psd/psd_merge.h"

#include "edit/layer_pictures.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <new>

namespace lv {

PsdLayerFold::PsdLayerFold(std::int32_t width, std::int32_t height)
    : width_(width)
    , height_(height)
{
    // Rows count from the bottom, as in the pictures.
    try {
        colour_.assign(std::size_t(width) * std::size_t(height) * 3, 0.0f);
        alpha_.assign(std::size_t(width) * std::size_t(height), 0.0f);
    } catch (const std::bad_alloc&) {
        colour_.clear();
        alpha_.clear();
    }
}

void PsdLayerFold::layOver(const PsdLayer& layer)
{
    if (!layer.visible || alpha_.empty() || !layer.image || !layer.mask)
        return;
    const float opacity = float(layer.opacity) / 100.0f;
    const int firstRow = std::max(0, -layer.y);
    const int lastRow = std::min(layer.image.height(), height_ - layer.y);
    const int firstColumn = std::max(0, -layer.x);
    const int lastColumn = std::min(layer.image.width(), width_ - layer.x);
    for (int r = firstRow; r < lastRow; ++r) {
        const std::uint8_t* bgr = layer.image.row(r);
        const std::uint8_t* mask = layer.mask.row(r);
        const std::size_t rowStart = std::size_t(layer.y + r) * std::size_t(width_);
        for (int c = firstColumn; c < lastColumn; ++c) {
            const float a = float(mask[c]) / 255.0f * opacity;
            if (a <= 0)
                continue;
            const std::size_t at = rowStart + std::size_t(layer.x + c);
            const float below = alpha_[at] * (1 - a);
            const float out = a + below;
            float* rgb = &colour_[at * 3];
            for (int k = 0; k < 3; ++k)
                rgb[k] = (float(bgr[c * 3 + 2 - k]) * a + rgb[k] * below) / out;
            alpha_[at] = out;
        }
    }
}

PsdLayer PsdLayerFold::take(std::string name)
{
    PsdLayer layer;
    layer.name = std::move(name);
    if (alpha_.empty())
        return layer;
    HDIB image = AllocatePicture(width_, height_, 24, 0);
    HDIB mask = MakeGreyFilled(width_, height_, 0);
    if (!image || !mask)
        return layer;
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* bgr = image.row(r);
        std::uint8_t* m = mask.row(r);
        const std::size_t rowStart = std::size_t(r) * std::size_t(width_);
        for (int c = 0; c < width_; ++c) {
            const float* rgb = &colour_[(rowStart + std::size_t(c)) * 3];
            for (int k = 0; k < 3; ++k)
                bgr[c * 3 + 2 - k] = std::uint8_t(rgb[k] + 0.5f);
            m[c] = std::uint8_t(alpha_[rowStart + std::size_t(c)] * 255.0f + 0.5f);
        }
    }
    layer.image = std::move(image);
    layer.mask = std::move(mask);
    return layer;
}

}  // namespace lv
