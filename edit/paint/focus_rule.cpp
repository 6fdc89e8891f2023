#include "edit/paint/pixel_rules.h"

#include <algorithm>
#include <vector>

namespace lv {

// The 3 × 3 box average comes from a copy of the dab and a one-pixel border, so pixels
// changed earlier in this dab do not feed the ones after.
void FocusDab(const Dab& dab, int strength, bool sharpen)
{
    const int n = dab.channels;
    const int width = dab.clip.right - dab.clip.left, height = dab.clip.bottom - dab.clip.top;
    if (width <= 0 || height <= 0)
        return;
    const int imageWidth = dab.image.width(), imageHeight = dab.image.height();
    const int copyWidth = width + 2;
    std::vector<std::uint8_t> copy(std::size_t(copyWidth) * std::size_t(height + 2) * std::size_t(n));
    for (int j = 0; j < height + 2; ++j)
        for (int i = 0; i < copyWidth; ++i) {
            const int x = std::clamp(dab.clip.left + i - 1, 0, imageWidth - 1);
            const int y = std::clamp(dab.clip.top + j - 1, 0, imageHeight - 1);
            const std::uint8_t* from = PixelFromTop(dab.image, x, y, n);
            std::copy(from, from + n, copy.begin() + std::ptrdiff_t((j * copyWidth + i) * n));
        }
    const int amount = std::clamp(strength, 0, 100);
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, n);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += n) {
            const int w = dab.weight(x, y);
            if (w == 0)
                continue;
            const int i = x - dab.clip.left + 1, j = y - dab.clip.top + 1;
            for (int k = 0; k < n; ++k) {
                int sum = 0;
                for (int dj = -1; dj <= 1; ++dj)
                    for (int di = -1; di <= 1; ++di)
                        sum += copy[std::size_t(((j + dj) * copyWidth + i + di) * n + k)];
                const int c = pixel[k];
                const int blurred = (sum + 4) / 9;
                const int target = sharpen ? std::clamp(2 * c - blurred, 0, 255) : blurred;
                // Weight 64 at strength 100 takes the whole target.
                pixel[k] = std::uint8_t(c + ((target - c) * w * amount) / 6400);
            }
        }
    }
}

}  // namespace lv
