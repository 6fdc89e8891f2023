#include "imagelib/codecs/photocd/pcd_planes.h"

#include <new>

namespace lv::photocd {

std::optional<Plane> MakePlane(int width, int height)
{
    Plane plane;
    plane.width = width;
    plane.height = height;
    try {
        plane.samples.assign(std::size_t(width) * std::size_t(height), 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return plane;
}

std::optional<YccPlanes> ReadStoredLevel(ByteSource& file, Level level, bool& outOfMemory)
{
    outOfMemory = false;
    const auto index = std::size_t(level);
    if (index >= kStoredLevelSectors.size())
        return std::nullopt;
    const LevelSize size = SizeOf(level);
    auto luma = MakePlane(size.width, size.height);
    auto chroma1 = MakePlane(size.width / 2, size.height / 2);
    auto chroma2 = MakePlane(size.width / 2, size.height / 2);
    if (!luma || !chroma1 || !chroma2) {
        outOfMemory = true;
        return std::nullopt;
    }
    if (!file.seek(kStoredLevelSectors[index] * kSectorBytes))
        return std::nullopt;
    const auto half = std::size_t(size.width / 2);
    for (int y = 0; y < size.height; y += 2) {
        if (!file.readExact(luma->row(y), std::size_t(size.width)) ||
            !file.readExact(luma->row(y + 1), std::size_t(size.width)) ||
            !file.readExact(chroma1->row(y / 2), half) || !file.readExact(chroma2->row(y / 2), half))
            return std::nullopt;
    }
    return YccPlanes{std::move(*luma), std::move(*chroma1), std::move(*chroma2)};
}

std::optional<Plane> Upsample(const Plane& source)
{
    auto target = MakePlane(source.width * 2, source.height * 2);
    if (!target)
        return std::nullopt;
    const int w = source.width;
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = target->row(2 * y);
        for (int x = 0; x < w; ++x) {
            const unsigned right = in[x + 1 < w ? x + 1 : x];
            out[2 * x] = in[x];
            out[2 * x + 1] = std::uint8_t((in[x] + right + 1) / 2);
        }
    }
    const int rowBytes = target->width;
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* above = target->row(2 * y);
        const std::uint8_t* below = target->row(y + 1 < source.height ? 2 * y + 2 : 2 * y);
        std::uint8_t* out = target->row(2 * y + 1);
        for (int x = 0; x < rowBytes; ++x)
            out[x] = std::uint8_t((above[x] + below[x] + 1) / 2);
    }
    return target;
}

}  // namespace lv::photocd
