#pragma once
// Facts about an embedded ICC profile, read through the colour-management library. Every
// function takes any bytes: a profile the library refuses is simply not usable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv {

// Larger profiles are refused unread, so a small hostile file cannot make the library
// allocate much (real RGB profiles are a few kilobytes; LUT-based ones below a megabyte).
constexpr std::size_t kMaxColourProfileBytes = 4 * 1024 * 1024;

// The profile's own description ("eciRGB v2", "sRGB IEC61966-2.1"), or nothing for bytes
// the library does not accept as a profile.
std::optional<std::string> ColourProfileDescription(std::span<const std::uint8_t> profile);

// True for a profile whose pictures are RGB and can be turned into the display's colours.
bool IsUsableRgbProfile(std::span<const std::uint8_t> profile);

// A standard sRGB profile, for tagging pictures converted to sRGB.
std::vector<std::uint8_t> SrgbProfileBytes();

}  // namespace lv
