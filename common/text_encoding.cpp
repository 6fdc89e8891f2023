#include "common/text_encoding.h"

#include <array>
#include <cstdint>

namespace lv {
namespace {

// Code points of bytes 0x80-0x9F; 0xA0-0xFF equal their code points.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isContinuation(std::uint8_t b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed sequence starting at text[i], or 0.
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return std::uint8_t(text[k]); };
    const std::uint8_t b = at(i);
    const std::size_t left = text.size() - i;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return left >= 2 && isContinuation(at(i + 1)) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (left < 3 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2)))
            return 0;
        if (b == 0xE0 && at(i + 1) < 0xA0)  // overlong
            return 0;
        if (b == 0xED && at(i + 1) >= 0xA0)  // surrogates
            return 0;
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (left < 4 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2)) || !isContinuation(at(i + 3)))
            return 0;
        if (b == 0xF0 && at(i + 1) < 0x90)
            return 0;
        if (b == 0xF4 && at(i + 1) >= 0x90)
            return 0;
        return 4;
    }
    return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const std::uint8_t b = std::uint8_t(c);
        if (b >= 0x80 && b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string ToUtf8(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuation(std::uint8_t(text[end])))
        --end;
    return text.substr(0, end);
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

unsigned char FoldLatinCapital(unsigned char previous, unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z')
        return byte + 32;
    if (previous == 0xC3 && byte >= 0x80 && byte <= 0x9E && byte != 0x97)
        return byte + 0x20;
    return byte;
}

std::string LowerLatin(std::string_view text)
{
    std::string out(text);
    unsigned char previous = 0;
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        c = char(FoldLatinCapital(previous, byte));
        previous = byte;
    }
    return out;
}

}  // namespace lv
