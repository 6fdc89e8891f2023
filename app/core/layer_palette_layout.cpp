#include "app/core/layer_palette_layout.h"

#include "edit/layer_stack.h"

#include <algorithm>

namespace lv {

RowLayout LayOutRow(int width, int height)
{
    RowLayout l;
    // An odd box would centre the even thumbnail half a pixel off.
    l.thumbnail = {2, 2, (height - 6) % 2 != 0 ? height - 3 : height - 4, height - 2};
    l.name = {77, 4, width - 4, 25};
    l.eye = {49, 2, 73, 25};
    l.lock = {51, 26, 72, 47};
    l.track = {79, 35, width - 30, 37};
    l.value = {width - 24, 32, width - 4, 43};
    return l;
}

RowPart HitRowPart(const RowLayout& l, int x, int y)
{
    const Rect trackHit{l.track.left - 2, l.track.top, l.track.right, l.track.bottom + 5};
    if (l.eye.contains({x, y}))
        return RowPart::Eye;
    if (l.lock.contains({x, y}))
        return RowPart::Lock;
    if (trackHit.contains({x, y}))
        return RowPart::OpacityTrack;
    if (l.value.contains({x, y}))
        return RowPart::OpacityValue;
    if (l.name.contains({x, y}))
        return RowPart::Name;
    if (l.thumbnail.contains({x, y}))
        return RowPart::Thumbnail;
    return RowPart::None;
}

Rect OpacityThumb(const RowLayout& l, int opacity)
{
    const int centre = l.track.left + std::clamp(opacity, 0, 100) * std::max(l.track.width(), 0) / 100;
    return Rect::fromSize(centre - kOpacityThumbWidth / 2, l.track.top - 4, kOpacityThumbWidth, 10);
}

Size FitThumbnail(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    // Smaller ratio: compare boxWidth / pictureWidth with boxHeight / pictureHeight exactly.
    const bool byWidth = std::int64_t(boxWidth) * pictureHeight <= std::int64_t(boxHeight) * pictureWidth;
    std::int64_t w = byWidth ? boxWidth : std::int64_t(pictureWidth) * boxHeight / pictureHeight;
    std::int64_t h = byWidth ? std::int64_t(pictureHeight) * boxWidth / pictureWidth : boxHeight;
    const auto even = [](std::int64_t v, int box) { return int(std::max<std::int64_t>(v & ~std::int64_t(1), box >= 2 ? 2 : 0)); };
    return {even(w, boxWidth), even(h, boxHeight)};
}

std::vector<std::uint32_t> LayerThumbnail(const LayerRecord& layer, int width, int height)
{
    std::vector<std::uint32_t> out(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)), 0xFFFFFFFFu);
    const HDIB& image = layer.image.read();
    const HDIB& mask = layer.mask.read();
    if (out.empty() || !image || !mask || mask.width() != image.width() || mask.height() != image.height())
        return out;
    const int bytes = image.bitCount() / 8;
    if (bytes != 1 && bytes != 3)
        return out;
    for (int j = 0; j < height; ++j) {
        const int sourceRow = image.height() - 1 - int(std::int64_t(j) * image.height() / height);
        const std::uint8_t* row = image.row(sourceRow);
        const std::uint8_t* cover = mask.row(sourceRow);
        std::uint32_t* target = out.data() + std::size_t(j) * std::size_t(width);
        for (int i = 0; i < width; ++i) {
            const int x = int(std::int64_t(i) * image.width() / width);
            const std::uint8_t* p = row + x * bytes;
            const int a = cover[x];
            const auto over = [a](int v) { return std::uint32_t((v * a + 255 * (255 - a) + 127) / 255); };
            const std::uint32_t r = over(p[bytes == 3 ? 2 : 0]), g = over(p[bytes == 3 ? 1 : 0]), b = over(p[0]);
            target[i] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return out;
}

}  // namespace lv
