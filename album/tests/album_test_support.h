#pragma once
// Pictures and entries the album tests share.

#include "album/thumbnail.h"
#include "imagelib/dib_alloc.h"

#include <string>

namespace lv::album::testing {

// A 24-bit picture whose pixel (x, y from the bottom) is blue x % 256, green y % 256, red 7.
inline HDIB CoordinatePicture(int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < width; ++x, row += 3)
            row[0] = std::uint8_t(x), row[1] = std::uint8_t(y), row[2] = 7;
    }
    picture.header().biXPelsPerMeter = 3780;
    picture.header().biYPelsPerMeter = 2835;
    return picture;
}

inline AlbumEntry EntryFor(int width, int height, const std::string& path, const std::string& caption = "")
{
    return *BuildEntry(CoordinatePicture(width, height), EntryLabel{path, caption, {1, 1, 1}});
}

}  // namespace lv::album::testing
