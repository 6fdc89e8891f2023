#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

// Red comes down to the mean of green and blue where it stands clearly above both; a dark
// pupil stays dark because green and blue keep their values. Grey layers have no red.
void RedEyeDab(const Dab& dab)
{
    if (dab.channels != 3)
        return;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, 3);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += 3) {
            const int w = dab.weight(x, y);
            const int blue = pixel[0], green = pixel[1], red = pixel[2];
            // Red must beat both others by a fifth, so skin and orange light stay.
            if (w == 0 || 5 * red <= 6 * std::max(green, blue) || red < 40)
                continue;
            const int target = (green + blue) / 2;
            pixel[2] = std::uint8_t(red - ((red - target) * w + 32) / 64);
        }
    }
}

}  // namespace lv
