#pragma once
// The JPEG previews a photo's metadata embeds (the EXIF thumbnail, a maker's larger preview):
// a thumbnail made from one costs a small decode instead of the photo's.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv {

struct EmbeddedPreview {
    std::vector<std::uint8_t> jpeg;
    int width = 0;        // as stored, before the orientation
    int height = 0;
    int orientation = 1;  // the photo's, which the preview shares
};

// The smallest JPEG preview in `encoded` (a photo, or a JPEG's head through its first scan)
// whose longer side reaches `minLongerSide` (or the photo's own, when that is smaller) and
// whose shape is the photo's, so no letterboxed thumbnail passes for the photo. Nothing when
// there is none or the library can't read the bytes.
std::optional<EmbeddedPreview> FindEmbeddedJpegPreview(std::span<const std::uint8_t> encoded, int minLongerSide);

}  // namespace lv
