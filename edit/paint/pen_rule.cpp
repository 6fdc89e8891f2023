#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

void PenDab(const Dab& dab, int transparency)
{
    const int t = (transparency * 255 + 50) / 100;
    const int n = dab.channels;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        DabRow r(dab, y);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, r.next()) {
            if (dab.weight(x, y) == 0)
                continue;
            const int om = *r.startCover;
            if (dab.maskLocked && om == 0)
                continue;
            if (om == 255) {
                for (int k = 0; k < n; ++k)
                    r.pixel[k] = std::uint8_t((r.start[k] * t + dab.colour[std::size_t(k)] * (255 - t) + 128) >> 8);
                if (!dab.maskLocked)
                    *r.cover = 255;
                continue;
            }
            const int covered = 255 - t + (((om + 1) * t) >> 8);
            if (covered == 0)
                continue;
            for (int k = 0; k < n; ++k) {
                const int sum = ((r.start[k] * om * t) >> 8) + dab.colour[std::size_t(k)] * (255 - t);
                const int value = n == 3 ? (sum * (65536 / std::max(covered, 1))) >> 16 : sum / covered;
                r.pixel[k] = std::uint8_t(std::min(value, 255));
            }
            if (!dab.maskLocked)
                *r.cover = std::uint8_t(covered);
        }
    }
}

}  // namespace lv
