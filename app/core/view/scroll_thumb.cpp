#include "app/core/view/scroll_thumb.h"

#include <algorithm>

namespace lv {

ThumbPlace PlaceThumb(int track, int maximum, int position, int page)
{
    track = std::max(track, 0);
    if (maximum <= 0)
        return {0, track};
    const long long whole = (long long)maximum + std::max(page, 1);
    const int length = std::clamp(int(track * (long long)std::max(page, 1) / whole), std::min(kSmallestThumb, track), track);
    const int travel = track - length;
    const int offset = int(travel * (long long)std::clamp(position, 0, maximum) / maximum);
    return {offset, length};
}

int PositionForThumb(int track, int maximum, int page, int offset)
{
    const ThumbPlace thumb = PlaceThumb(track, maximum, 0, page);
    const int travel = track - thumb.length;
    if (maximum <= 0 || travel <= 0)
        return 0;
    // Rounded up: the first position whose thumb is drawn at the offset.
    const long long scaled = (long long)std::clamp(offset, 0, travel) * maximum;
    return int((scaled + travel - 1) / travel);
}

}  // namespace lv
