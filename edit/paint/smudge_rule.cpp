#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {

// The finger first picks up the pixels under the press; at every later dab it leaves some
// of what it carries and picks up what it leaves, so colour drags along the stroke and
// fades with distance.
void SmudgeDab(const Dab& dab, int strength, SmudgeState& state)
{
    const int n = dab.channels;
    const std::size_t cells = std::size_t(dab.size) * std::size_t(dab.size);
    if (!state.loaded || state.size != dab.size) {
        state.carried.assign(cells * 4, 0);
        state.size = dab.size;
        for (int y = dab.clip.top; y < dab.clip.bottom; ++y)
            for (int x = dab.clip.left; x < dab.clip.right; ++x) {
                std::uint8_t* keep = &state.carried[(std::size_t(y - dab.top) * std::size_t(dab.size) + std::size_t(x - dab.left)) * 4];
                const std::uint8_t* pixel = PixelFromTop(dab.image, x, y, n);
                std::copy(pixel, pixel + n, keep);
                keep[3] = *PixelFromTop(dab.mask, x, y, 1);
            }
        state.loaded = true;
        return;
    }
    const int amount = std::clamp(strength, 0, 100);
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        std::uint8_t* pixel = PixelFromTop(dab.image, dab.clip.left, y, n);
        std::uint8_t* cover = PixelFromTop(dab.mask, dab.clip.left, y, 1);
        for (int x = dab.clip.left; x < dab.clip.right; ++x, pixel += n, ++cover) {
            std::uint8_t* keep = &state.carried[(std::size_t(y - dab.top) * std::size_t(dab.size) + std::size_t(x - dab.left)) * 4];
            const int w = dab.weight(x, y);
            if (w == 0 || (dab.maskLocked && *cover == 0)) {
                // Outside the dab's weight the finger touches nothing and picks this up.
                std::copy(pixel, pixel + n, keep);
                keep[3] = *cover;
                continue;
            }
            const int mix = w * amount;  // up to 6400
            for (int k = 0; k < n; ++k)
                keep[k] = pixel[k] = std::uint8_t(pixel[k] + ((keep[k] - pixel[k]) * mix) / 6400);
            if (!dab.maskLocked)
                keep[3] = *cover = std::uint8_t(*cover + ((keep[3] - *cover) * mix) / 6400);
            else
                keep[3] = *cover;
        }
    }
}

}  // namespace lv
