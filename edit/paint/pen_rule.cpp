#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

void PenDab(const Dab& dab, int transparency)
{
    const int t = (transparency * 255 + 50) / 100;
    const int n = dab.channels;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, n);
        std::uint8_t* cover = PixelFromTop(dab.mask, dab.clip.left, y, 1);
        const std::uint8_t* start = PixelFromTop(dab.startImage, dab.clip.left, y, n);
        const std::uint8_t* startCover = PixelFromTop(dab.startMask, dab.clip.left, y, 1);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += n, start += n, ++cover, ++startCover) {
            if (dab.weight(x, y) == 0)
                continue;
            const int om = *startCover;
            if (dab.maskLocked && om == 0)
                continue;
            if (om == 255) {
                for (int k = 0; k < n; ++k)
                    pixel[k] = std::uint8_t((start[k] * t + dab.colour[std::size_t(k)] * (255 - t) + 128) >> 8);
                if (!dab.maskLocked)
                    *cover = 255;
                continue;
            }
            const int covered = 255 - t + (((om + 1) * t) >> 8);
            if (covered == 0)
                continue;
            for (int k = 0; k < n; ++k) {
                const int sum = ((start[k] * om * t) >> 8) + dab.colour[std::size_t(k)] * (255 - t);
                const int value = n == 3 ? (sum * (65536 / std::max(covered, 1))) >> 16 : sum / covered;
                pixel[k] = std::uint8_t(std::min(value, 255));
            }
            if (!dab.maskLocked)
                *cover = std::uint8_t(covered);
        }
    }
}

}  // namespace lv
