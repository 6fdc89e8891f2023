#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

// The eraser works on the mask alone, whether or not the mask is locked: erasing is what
// the lock leaves possible.
void EraserDab(const Dab& dab, int intensity, bool softEdge)
{
    const int f = (6450 - 64 * std::clamp(intensity, 0, 100)) / 100;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* cover = PixelFromTop(dab.mask, dab.clip.left, y, 1);
        const std::uint8_t* startCover = PixelFromTop(dab.startMask, dab.clip.left, y, 1);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, ++cover, ++startCover) {
            const int w = dab.weight(x, y);
            if (w == 0)
                continue;
            const int erased = (*startCover * f) >> 6;
            *cover = std::uint8_t(softEdge ? std::max(((64 - w) * *cover) >> 6, erased) : erased);
        }
    }
}

}  // namespace lv
