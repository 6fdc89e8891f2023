#pragma once
// A picture as PhotoYCC planes: full-size luma, chroma at half width and height.

#include "common/byte_source.h"
#include "imagelib/codecs/photocd/pcd_layout.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv::photocd {

struct Plane {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples;

    std::uint8_t* row(int y) { return samples.data() + std::size_t(y) * std::size_t(width); }
    const std::uint8_t* row(int y) const { return samples.data() + std::size_t(y) * std::size_t(width); }
};

struct YccPlanes {
    Plane luma, chroma1, chroma2;
};

// A zeroed plane, or nothing when memory runs out.
std::optional<Plane> MakePlane(int width, int height);

// Reads one of the three levels stored as planes; nothing when the file ends early or
// memory runs out (`outOfMemory` tells which).
std::optional<YccPlanes> ReadStoredLevel(ByteSource& file, Level level, bool& outOfMemory);

// Doubles a plane's width and height. Source samples land on the even positions; the odd
// ones between take the rounded mean of their neighbours (the last row and column repeat).
std::optional<Plane> Upsample(const Plane& source);

}  // namespace lv::photocd
