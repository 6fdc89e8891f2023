#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

bool RedClearlyDominates(int red, int green, int blue)
{
    return red > kRedEyeLeastRed && 2 * red > 3 * std::max(green, blue);
}

// Judged on the pixel as the stroke found it, so a pixel once lowered is not lowered again
// by the next dabs of the same stroke, and skin never qualifies halfway through.
void RedEyeDab(const Dab& dab)
{
    if (dab.channels != 3)
        return;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, 3);
        const std::uint8_t* start = PixelFromTop(dab.startImage, dab.clip.left, y, 3);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += 3, start += 3) {
            const int w = dab.weight(x, y);
            const int blue = start[0], green = start[1], red = start[2];
            if (w == 0 || !RedClearlyDominates(red, green, blue))
                continue;
            const int target = (green + blue) / 2;
            const int lowered = red - ((red - target) * w + 32) / 64;
            pixel[2] = std::uint8_t(std::min<int>(pixel[2], lowered));
        }
    }
}

}  // namespace lv
