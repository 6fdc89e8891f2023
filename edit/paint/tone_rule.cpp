#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

// Each dab moves a pixel a quarter of the way toward white (or black) at full strength and
// weight, so a slow stroke works up gradually, as a dodging tool does.
void ToneDab(const Dab& dab, int strength, bool darken)
{
    const int n = dab.channels;
    const int amount = std::clamp(strength, 0, 100);
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, n);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += n) {
            const int w = dab.weight(x, y);
            if (w == 0)
                continue;
            const int step = w * amount;  // up to 6400
            for (int k = 0; k < n; ++k) {
                const int c = pixel[k];
                const int distance = darken ? c : 255 - c;
                const int change = (distance * step + 12800) / 25600;
                pixel[k] = std::uint8_t(darken ? c - change : c + change);
            }
        }
    }
}

}  // namespace lv
