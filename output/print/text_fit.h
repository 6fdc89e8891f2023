#pragma once
// Fitting a line of text into a width: cut with "..." when it is too long.

#include <functional>
#include <string>
#include <string_view>

namespace lv::print {

using TextMeasure = std::function<int(std::string_view)>;

// The text itself when it fits; else the longest start of it (whole characters) followed by
// "..." that fits; "..." alone, or nothing, when even that does not.
std::string ElideText(std::string_view text, int maxWidth, const TextMeasure& measure);

// At most `characters` characters of UTF-8 text, cut on a character boundary.
std::string FirstCharacters(std::string_view text, std::size_t characters);

}  // namespace lv::print
