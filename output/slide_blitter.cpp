#include "output/slide_blitter.h"

#include <algorithm>
#include <cstring>

namespace lv {

SlideBlitter::SlideBlitter(ScreenBitmap& screen, const ScreenBitmap& slide, int x, int y)
    : screen_(screen)
    , slide_(slide)
    , x_(x)
    , y_(y)
{
    clip_ = {std::max(0, -x), std::max(0, -y), std::min(slide.width(), screen.width() - x),
             std::min(slide.height(), screen.height() - y)};
}

void SlideBlitter::copy(const Rect& area)
{
    copyMoved(area, area.left, area.top);
}

void SlideBlitter::copySpan(int y, int x0, int x1)
{
    if (y < clip_.top || y >= clip_.bottom)
        return;
    x0 = std::max(x0, clip_.left);
    x1 = std::min(x1, clip_.right);
    if (x0 < x1)
        std::memcpy(screen_.row(y + y_) + x_ + x0, slide_.row(y) + x0, std::size_t(x1 - x0) * sizeof(std::uint32_t));
}

void SlideBlitter::copyMoved(const Rect& area, int toX, int toY)
{
    // Clip the source to the slide, then the destination to the slide's place, moving the
    // other edge along with each cut.
    int left = std::max(area.left, 0), top = std::max(area.top, 0);
    int right = std::min(area.right, slide_.width()), bottom = std::min(area.bottom, slide_.height());
    toX += left - area.left;
    toY += top - area.top;
    const int cutLeft = std::max(0, clip_.left - toX), cutTop = std::max(0, clip_.top - toY);
    left += cutLeft, toX += cutLeft;
    top += cutTop, toY += cutTop;
    right = std::min(right, left + clip_.right - toX);
    bottom = std::min(bottom, top + clip_.bottom - toY);
    if (left >= right)
        return;
    const std::size_t bytes = std::size_t(right - left) * sizeof(std::uint32_t);
    for (int y = top; y < bottom; ++y)
        std::memcpy(screen_.row(toY + (y - top) + y_) + x_ + toX, slide_.row(y) + left, bytes);
}

}  // namespace lv
