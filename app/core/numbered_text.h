#pragma once
// String-table texts that carry one "%d" (and "%%" for a percent sign).

#include <string>
#include <string_view>

namespace lv {

// The pattern with its "%d" replaced by the number and "%%" by "%".
std::string FormatWithNumber(std::string_view pattern, int value);

// The same for string-table entry `id`.
std::string NumberedText(int id, int value);

}  // namespace lv
