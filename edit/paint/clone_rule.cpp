#include "edit/paint/pixel_rules.h"

namespace lv {

// The source is read from the layer as the stroke found it, so a stroke that runs into its
// own source area repeats the original rather than what it just painted. The mask follows
// the source's coverage (unless locked), so cloning copies transparency as well.
void CloneDab(const Dab& dab, int dx, int dy)
{
    const int n = dab.channels;
    const int width = dab.startImage.width(), height = dab.startImage.height();
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        const int sy = y + dy;
        if (sy < 0 || sy >= height)
            continue;
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, n);
        std::uint8_t* cover = PixelFromTop(dab.mask, dab.clip.left, y, 1);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += n, ++cover) {
            const int w = dab.weight(x, y);
            const int sx = x + dx;
            if (w == 0 || sx < 0 || sx >= width || (dab.maskLocked && *cover == 0))
                continue;
            const std::uint8_t* source = PixelFromTop(dab.startImage, sx, sy, n);
            for (int k = 0; k < n; ++k)
                pixel[k] = std::uint8_t(pixel[k] + ((source[k] - pixel[k]) * w) / 64);
            if (!dab.maskLocked) {
                const int sourceCover = *PixelFromTop(dab.startMask, sx, sy, 1);
                *cover = std::uint8_t(*cover + ((sourceCover - *cover) * w) / 64);
            }
        }
    }
}

}  // namespace lv
