#pragma once
// Cutting a panorama's ragged edges away: the largest rectangle that holds no empty pixel.

#include "common/geometry.h"
#include "projects/panorama/panorama_stitch.h"

namespace lv::panorama {

// The largest-area rectangle (top-down, right and bottom exclusive) whose pixels are all
// covered; empty when none is.
Rect LargestCoveredRectangle(const std::vector<std::uint8_t>& coverage, int width, int height);

// A copy of the panorama cut to that rectangle, its coverage with it. A failure is copied as
// it is; a panorama without one covered pixel gives a failure.
Panorama CropToCovered(const Panorama& panorama);

}  // namespace lv::panorama
