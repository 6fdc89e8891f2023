#pragma once
// Text placed in HTML: element content and attribute values alike.

#include <string>
#include <string_view>

namespace lv::web {

// &, <, >, " and ' as character references; bytes that are not UTF-8 are read as
// Windows-1252, as the album's captions are.
std::string EscapeHtml(std::string_view text);

}  // namespace lv::web
