#pragma once
// The store library's own texts, numbered as the program asks for them: 1016-1022 for the
// codes 3-8 and 10 of its calls.

#include <string_view>

namespace lv::sharing::store {

// The text of an entry; empty for a number the library has no text for.
std::string_view StoreString(int id);

// The entry that explains a code; 0 for codes without one.
int StringForCode(int code);

}  // namespace lv::sharing::store
