#pragma once
// The geometry of a scroll control's thumb: its length shows how much of the range is in
// view, its place the position; a dragged thumb gives a position back.

namespace lv {

inline constexpr int kSmallestThumb = 16;

struct ThumbPlace {
    int offset = 0;  // from the start of the track
    int length = 0;
    bool operator==(const ThumbPlace&) const = default;
};

// For a track `track` pixels long over positions 0..`maximum` with `page` pixels in view.
ThumbPlace PlaceThumb(int track, int maximum, int position, int page);

// The position for a thumb dragged to `offset` pixels from the start of the track.
int PositionForThumb(int track, int maximum, int page, int offset);

}  // namespace lv
