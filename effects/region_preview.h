#pragma once
// Previews of an operation over the visible part of a picture at the view's scale, cheap
// enough to follow a slider on large pictures. The part is computed from a scaled copy
// with each operation's neighbourhood margin around it; radii shrink with the scale and
// automatic enhancements take their figures from the whole picture, so the preview shows
// what the full result will look like at that zoom. At scale 1 it matches the same part
// of the full result.

#include "common/geometry.h"
#include "effects/enhance_and_effect.h"
#include "effects/raster.h"
#include "effects/statistics.h"

#include <cstdint>
#include <optional>

namespace lv::effects {

struct RegionResult {
    HDIB picture;          // the computed part, same depth as the picture; null on failure
    Rect area;             // where it lies in the whole picture scaled to workWidth × workHeight
    int workWidth = 0;     // the whole picture's size at the preview's scale
    int workHeight = 0;
};

class RegionPreview {
public:
    // `region` in picture coordinates (rows from the top, right and bottom exclusive);
    // `scale` is view pixels per picture pixel, taken as 1 above 1 (the view enlarges).
    // The picture must outlive the preview and stay unchanged while it is used.
    RegionPreview(const HDIB& picture, Rect region, double scale, EffectOptions options = {});

    // The operation over the region, with the same checks and results as DoEnhanceAndEffect.
    RegionResult compute(std::int32_t operation, const std::int32_t* parameters, std::int32_t count);

private:
    RegionResult computeOrThrow(std::int32_t operation, const std::int32_t* parameters, std::int32_t count);
    void prepareSource(int margin);
    const PictureStatistics& statistics();

    const HDIB& picture_;
    EffectOptions options_;
    int workWidth_ = 0;
    int workHeight_ = 0;
    Rect area_;             // the region in working pixels, clipped to the picture
    Rect sourceArea_;       // what source_ holds: area_ widened by the margin, clipped
    int sourceMargin_ = -1;
    OwnedRaster source_;
    std::optional<PictureStatistics> statistics_;
};

// One preview computed from scratch.
RegionResult ComputeRegion(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                           Rect region, double scale, EffectOptions options = {});

// The part `area` (working pixels) of the whole picture scaled to workWidth × workHeight by
// averaging whole picture pixels, the same for any part asked for.
OwnedRaster ScaledPart(const HDIB& picture, int workWidth, int workHeight, Rect area, int threads);

}  // namespace lv::effects
