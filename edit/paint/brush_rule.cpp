#include "edit/paint/pixel_rules.h"

#include <algorithm>

namespace lv {
namespace {

// Where the row is fully covered and nothing limits the build-up, weight 0 leaves a pixel as
// it was ((64 * c + 32) >> 6 == c) and the cover stays 255: one branch-free pass does it.
bool opaqueRow(const DabRow& r, int length)
{
    return std::all_of(r.cover, r.cover + length, [](std::uint8_t m) { return m == 255; });
}

template<int Channels>
void blendOpaqueRow(std::uint8_t* __restrict pixel, const std::uint8_t* __restrict weights, int length,
                    const std::array<std::uint8_t, 3>& colour)
{
    for (int x = 0; x < length; ++x) {
        const int w = weights[x];
        for (int k = 0; k < Channels; ++k)
            pixel[x * Channels + k] = std::uint8_t(((64 - w) * pixel[x * Channels + k] + w * colour[std::size_t(k)] + 32) >> 6);
    }
}

}  // namespace

void BrushDab(const Dab& dab, int transparency)
{
    const int s = (transparency * 255 + 50) / 100;
    const int n = dab.channels;
    const int length = dab.clip.right - dab.clip.left;
    for (int y = dab.clip.top; y < dab.clip.bottom; ++y) {
        DabRow r(dab, y);
        if (s == 0 && opaqueRow(r, length)) {
            const std::uint8_t* weights = dab.weights + std::size_t(y - dab.top) * std::size_t(dab.size) + (dab.clip.left - dab.left);
            if (n == 3)
                blendOpaqueRow<3>(r.pixel, weights, length, dab.colour);
            else
                blendOpaqueRow<1>(r.pixel, weights, length, dab.colour);
            continue;
        }
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
