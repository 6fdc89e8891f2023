#pragma once
// A document's picture in the display's colours. The converted rows are kept between
// paints; a row is converted again only when its pixels changed since, which a hash of the
// source row tells (an edit from any path shows without anyone having to say so).

#include "imagelib/colour/colour_transform.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lv {

// The conversion a picture tagged `picture` (empty: sRGB) needs to show on a display whose
// profile is `display` (empty: sRGB); null when it shows as it is or a profile is unusable.
std::shared_ptr<const ColourTransform> DisplayTransform(std::span<const std::uint8_t> picture,
                                                        std::span<const std::uint8_t> display, ColourTransformCache& cache);

// Converts a whole 24-bit picture for this process's display, once, for views that keep it
// (the full-screen view, the slide show's slide).
void ConvertForDisplay(HDIB& picture, std::span<const std::uint8_t> pictureProfile);

class DisplayColours {
public:
    // What the document's numbers mean and what the display wants (empty: sRGB for both).
    // Nothing is converted when both are sRGB, when they are the same, or when either
    // profile is unusable.
    void setProfiles(std::span<const std::uint8_t> picture, std::span<const std::uint8_t> display,
                     ColourTransformCache& cache);
    bool converting() const { return transform_ != nullptr; }

    // Row `y` (memory order) of a 24-bit `composite` as the display should show it: the
    // composite's own row when nothing is converted.
    const std::uint8_t* row(const HDIB& composite, int y);

private:
    bool fits(const HDIB& composite) const;

    // The profiles last set, by where they lie: a paint with the same ones looks nothing up.
    std::span<const std::uint8_t> picture_;
    std::span<const std::uint8_t> display_;
    std::shared_ptr<const ColourTransform> transform_;
    HDIB converted_;
    std::vector<std::uint64_t> rowHashes_;
    std::vector<bool> rowReady_;
};

}  // namespace lv
