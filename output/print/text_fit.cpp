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

std::string ElideMiddle(std::string_view text, int maxWidth, const TextMeasure& measure)
{
    if (measure(text) <= maxWidth)
        return std::string(text);
    if (measure(kEllipsis) > maxWidth)
        return {};
    std::vector<std::size_t> starts;  // byte offsets of whole characters, and the end
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!continuation(text[i]))
            starts.push_back(i);
    const std::size_t characters = starts.size();
    starts.push_back(text.size());
    const auto keeping = [&](std::size_t kept) {
        const std::size_t head = kept / 3, tail = kept - head;
        return std::string(text.substr(0, starts[head])) + std::string(kEllipsis)
               + std::string(text.substr(starts[characters - tail]));
    };
    // The widths grow with the characters kept, so the most that fit are found by halving.
    std::size_t lo = 0, hi = characters - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (measure(keeping(mid)) <= maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    return keeping(lo);
}

}  // namespace lv::print
