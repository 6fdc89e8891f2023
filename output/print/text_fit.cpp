#include "output/print/text_fit.h"

#include <vector>

namespace lv::print {
namespace {

constexpr std::string_view kEllipsis = "...";

bool continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string ElideText(std::string_view text, int maxWidth, const TextMeasure& measure)
{
    if (measure(text) <= maxWidth)
        return std::string(text);
    if (measure(kEllipsis) > maxWidth)
        return {};
    std::vector<std::size_t> boundaries;  // ends of whole characters
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || !continuation(text[i]))
            boundaries.push_back(i);
    // The widths grow with the length, so the longest start that fits is found by halving.
    std::size_t lo = 0, hi = boundaries.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        const std::string candidate = std::string(text.substr(0, boundaries[mid - 1])) + std::string(kEllipsis);
        if (measure(candidate) <= maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    return std::string(text.substr(0, lo == 0 ? 0 : boundaries[lo - 1])) + std::string(kEllipsis);
}

std::string FirstCharacters(std::string_view text, std::size_t characters)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!continuation(text[i]) && count++ == characters)
            return std::string(text.substr(0, i));
    return std::string(text);
}

}  // namespace lv::print
