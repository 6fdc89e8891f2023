#pragma once
// The paper the user's locale names (LC_PAPER, through LC_ALL and LANG as usual): what prints
// use when there is no printer to ask.

#include <optional>

namespace lv::print {

struct PaperMillimetres {
    int width = 0;
    int height = 0;
    bool operator==(const PaperMillimetres&) const = default;
};

// The paper of the locale named `locale` ("" for the user's own), or nothing when that locale
// is not installed or names no paper.
std::optional<PaperMillimetres> LocalePaper(const char* locale = "");

}  // namespace lv::print
