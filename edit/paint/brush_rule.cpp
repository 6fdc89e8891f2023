#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

void BrushDab(const Dab& dab, int transparency)
{
    const int s = (transparency * 255 + 50) / 100;
    const int n = dab.channels;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        DabRow r(dab, y);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, r.next()) {
            const int w = dab.weight(x, y);
            const int m = *r.cover;
            if (w == 0 || (m == 0 && dab.maskLocked))
                continue;
            const int om = *r.startCover;
            const int covered = m == 255 ? 255 : ((64 - w) * (m + 1) + 255 * w + 32) >> 6;
            const int limitCover = 255 - s + (((om + 1) * s + 128) >> 8);
            for (int k = 0; k < n; ++k) {
                const int colour = dab.colour[std::size_t(k)];
                const int c = r.pixel[k];
                int result;
                if (m == 255)
                    result = ((64 - w) * c + w * colour + 32) >> 6;
                else if (covered > 0)
                    result = std::min((((c * (64 - w) * m) >> 6) + 4 * w * colour) / covered, 255);
                else
                    result = 0;
                if (s > 0 && result != colour) {
                    const int o = r.start[k];
                    const int limit = om == 255 ? (o * s + (255 - s) * colour + 128) >> 8
                                                : (((o * om * s) >> 8) + (255 - s) * colour) / std::max(limitCover, 1);
                    result = result >= colour ? std::max(result, limit) : std::min(result, limit);
                }
                r.pixel[k] = std::uint8_t(std::clamp(result, 0, 255));
            }
            if (dab.maskLocked)
                continue;
            int newCover = covered;
            if (s > 0 && newCover != 255 - s)
                newCover = std::min(newCover, limitCover);
            *r.cover = std::uint8_t(newCover);
        }
    }
}

}  // namespace lv
