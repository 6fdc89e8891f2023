#pragma once
// The store library's own texts, numbered as the program asks for them: 1016-1022 for the
// codes of its calls (3-8 and 10).

#include <string_view>

namespace lv::sharing::store {

// The text of an entry; empty for a number the library has no text for.
std::string_view StoreString(int id);

}  // namespace lv::sharing::store
