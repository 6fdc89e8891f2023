#pragma once
// The program's string table: every user-visible text that has a number, keyed by it.

#include <string_view>

namespace lv {

// The entry's text, or an empty view when the table has no such entry.
std::string_view LoadString(int id);
bool HasString(int id);

}  // namespace lv
