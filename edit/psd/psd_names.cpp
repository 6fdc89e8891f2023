#include "edit/psd/psd_names.h"

#include "common/text_encoding.h"

namespace lv {
namespace {

bool isHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u < 0xDC00; }
bool isLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u < 0xE000; }

}  // namespace

std::string Utf16BigEndianToUtf8(std::span<const std::uint8_t> bytes)
{
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::string out;
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) { return std::uint32_t(bytes[2 * i] << 8 | bytes[2 * i + 1]); };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unit(i);
        if (u == 0)
            break;
        if (isHighSurrogate(u) && i + 1 < units && isLowSurrogate(unit(i + 1))) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, isHighSurrogate(u) || isLowSurrogate(u) ? kReplacement : u);
        }
    }
    return out;
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t characters)
{
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size(); ++end) {
        const bool starts = (std::uint8_t(utf8[end]) & 0xC0) != 0x80;
        if (starts && seen++ == characters)
            break;
    }
    return utf8.substr(0, end);
}

}  // namespace lv
