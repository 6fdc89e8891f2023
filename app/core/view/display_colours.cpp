#include "app/core/view/display_colours.h"

#include "app/core/view/display_profile_state.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// Eight bytes at a time: far cheaper than converting the row again.
std::uint64_t rowHash(const std::uint8_t* row, std::size_t bytes)
{
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes;
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, row + i, 8);
        hash = (hash ^ word) * 0x100000001B3ull;
        hash ^= hash >> 29;
    }
    for (; i < bytes; ++i)
        hash = (hash ^ row[i]) * 0x100000001B3ull;
    return hash;
}

}  // namespace

std::shared_ptr<const ColourTransform> DisplayTransform(std::span<const std::uint8_t> picture,
                                                        std::span<const std::uint8_t> display, ColourTransformCache& cache)
{
    // An untagged picture is sRGB, which an sRGB display shows as it is.
    if (picture.empty())
        return display.empty() ? nullptr : cache.find(SrgbProfileBytes(), display);
    const bool same = picture.size() == display.size() && std::equal(picture.begin(), picture.end(), display.begin());
    return same ? nullptr : cache.find(picture, display);
}

void ConvertForDisplay(HDIB& picture, std::span<const std::uint8_t> pictureProfile)
{
    DisplayColourState& display = DisplayColourSettings();
    if (const auto transform = DisplayTransform(pictureProfile, display.profile, display.transforms))
        transform->applyToPicture(picture);
}

void DisplayColours::setProfiles(std::span<const std::uint8_t> picture, std::span<const std::uint8_t> display,
                                 ColourTransformCache& cache)
{
    const auto unchanged = [](std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
        return a.data() == b.data() && a.size() == b.size();
    };
    if (unchanged(picture, picture_) && unchanged(display, display_))
        return;
    picture_ = picture;
    display_ = display;
    std::shared_ptr<const ColourTransform> transform = DisplayTransform(picture, display, cache);
    if (transform == transform_)
        return;
    transform_ = std::move(transform);
    converted_.reset();
    rowHashes_.clear();
    rowReady_.clear();
}

bool DisplayColours::fits(const HDIB& composite) const
{
    return converted_ && converted_.width() == composite.width() && converted_.height() == composite.height();
}

const std::uint8_t* DisplayColours::row(const HDIB& composite, int y)
{
    if (!transform_ || composite.bitCount() != 24)
        return composite.row(y);
    if (!fits(composite)) {
        converted_ = AllocatePicture(composite.width(), composite.height(), 24, 0, nullptr);
        if (!converted_)
            return composite.row(y);  // short of memory: the picture as stored beats none
        rowHashes_.assign(std::size_t(composite.height()), 0);
        rowReady_.assign(std::size_t(composite.height()), false);
    }
    const std::size_t bytes = std::size_t(composite.width()) * 3;
    const std::uint64_t hash = rowHash(composite.row(y), bytes);
    const auto index = std::size_t(y);
    if (!rowReady_[index] || rowHashes_[index] != hash) {
        std::memcpy(converted_.row(y), composite.row(y), bytes);
        transform_->applyToRow(converted_.row(y), composite.width());
        rowHashes_[index] = hash;
        rowReady_[index] = true;
    }
    return converted_.row(y);
}

}  // namespace lv

namespace lv {

DisplayColourState& DisplayColourSettings()
{
    static DisplayColourState state;
    return state;
}

}  // namespace lv
