#pragma once
// Fitting a line of text into a width: cut in the middle with "..." when it is too long.

#include <functional>
#include <string>
#include <string_view>

namespace lv::print {

using TextMeasure = std::function<int(std::string_view)>;

// The text itself when it fits; else as many whole characters as fit around "..." in the
// middle, two thirds of them from the end, where names that share a start differ
// ("aniversario_0012.jpg" gives "ani...0012.jpg"); "..." alone, or nothing, when even that
// does not fit.
std::string ElideMiddle(std::string_view text, int maxWidth, const TextMeasure& measure);

}  // namespace lv::print
