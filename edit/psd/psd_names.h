#pragma once
// Layer names as Photoshop documents hold them: a Unicode name in UTF-16 beside a short
// name in the writer's code page.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lv {

// Layer names of imported documents keep at most this many characters.
inline constexpr std::size_t kPsdNameCharacters = 63;

// Big-endian UTF-16 as UTF-8; unpaired surrogates become U+FFFD, a NUL ends the text.
std::string Utf16BigEndianToUtf8(std::span<const std::uint8_t> bytes);

// The first `characters` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, std::size_t characters);

}  // namespace lv
