#include "app/core/numbered_text.h"

#include "common/string_table.h"

namespace lv {

std::string FormatWithNumber(std::string_view pattern, int value)
{
    std::string out;
    out.reserve(pattern.size() + 8);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == 'd') {
                out += std::to_string(value);
                ++i;
                continue;
            }
            if (pattern[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string NumberedText(int id, int value)
{
    return FormatWithNumber(LoadString(id), value);
}

}  // namespace lv
