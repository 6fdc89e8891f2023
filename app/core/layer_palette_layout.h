#pragma once
// Where the parts of a layer palette row stand, what a point on a row hits, and the
// thumbnail's size; row coordinates, right and bottom exclusive.

#include "common/geometry.h"

#include <cstdint>
#include <vector>

namespace lv {

struct LayerRecord;

inline constexpr int kPaletteMinimumRowWidth = 193;
inline constexpr int kPaletteRowHeight = 50;

enum class RowPart { None = 0, Thumbnail = 1, Name = 2, Eye = 3, Lock = 4, OpacityTrack = 5, OpacityValue = 6 };

struct RowLayout {
    Rect thumbnail, name, eye, lock, track, value;
};

// The parts of a row `width` × `height`.
RowLayout LayOutRow(int width, int height);

// The part under a point; the opacity track answers 2 pixels further left and 5 lower than
// it is drawn, so the thin line is easy to catch.
RowPart HitRowPart(const RowLayout& layout, int x, int y);

// The opacity thumb: 11 pixels wide, centred where the opacity stands on the track, so it is
// easy to see and to catch; it stays clear of the lock and of the percentage.
inline constexpr int kOpacityThumbWidth = 11;
Rect OpacityThumb(const RowLayout& layout, int opacity);

// The picture scaled by the smaller of the two ratios into the box, both sides rounded down
// to even numbers (at least 2 where the box allows).
Size FitThumbnail(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

// The layer's picture point-sampled to `width` × `height` over white through its mask, as
// 0xAARRGGBB words, top row first.
std::vector<std::uint32_t> LayerThumbnail(const LayerRecord& layer, int width, int height);

}  // namespace lv
