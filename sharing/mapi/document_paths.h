#pragma once
// The file list of a send-documents call: paths joined by a delimiter the caller chooses.

#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

// The paths in a delimited list ("a.jpg;b.jpg"); any character of `delimiters` separates
// and empty entries are skipped.
std::vector<std::string> SplitPaths(std::string_view paths, std::string_view delimiters);

// The delimiter to pass with this path: ";" unless the path holds one (Linux names may).
std::string DelimiterFor(std::string_view path);

}  // namespace lv::sharing
