#pragma once
// Conversions between colour profiles for 8-bit blue-green-red rows, as the pictures hold
// them. A transform is built once and applied to any number of rows, from any thread.

#include "imagelib/dib.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace lv {

class ColourTransform {
public:
    // From `source` to sRGB, or to `target` when given; null when either profile is not a
    // usable RGB profile (untagged, damaged, CMYK, grey...).
    static std::shared_ptr<const ColourTransform> Create(std::span<const std::uint8_t> source,
                                                         std::span<const std::uint8_t> target = {});
    ~ColourTransform();
    ColourTransform(const ColourTransform&) = delete;
    ColourTransform& operator=(const ColourTransform&) = delete;

    // Converts `width` pixels of one row in place.
    void applyToRow(std::uint8_t* row, int width) const;
    // Converts every row of a 24-bit picture in place; other depths are left as they are.
    void applyToPicture(HDIB& picture) const;

private:
    struct Handles;
    explicit ColourTransform(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> handles_;
};

// Transforms kept by the bytes of their two profiles, so a picture shown again, or many
// pictures from one camera, build theirs once. Holds at most a few; the oldest go first.
class ColourTransformCache {
public:
    std::shared_ptr<const ColourTransform> find(std::span<const std::uint8_t> source,
                                                std::span<const std::uint8_t> target = {});

private:
    static constexpr std::size_t kMaxKept = 8;
    using Key = std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>;
    std::mutex mutex_;
    std::map<Key, std::shared_ptr<const ColourTransform>> kept_;
    std::vector<Key> order_;  // oldest first
};

}  // namespace lv
