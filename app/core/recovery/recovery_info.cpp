#include "app/core/recovery/recovery_info.h"

#include <charconv>
#include <limits>

namespace lv {
namespace {

constexpr std::string_view kFirstLine = "Lumivista recovery 1";
constexpr std::size_t kMaxTitleBytes = 4096;

bool needsEscape(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '%';
}

std::string escape(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (needsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += char(high * 16 + low);
        i += 2;
    }
    return out;
}

template <typename Number>
bool parseNumber(std::string_view text, Number& out, Number low, Number high)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

}  // namespace

std::string SerialiseRecoveryInfo(const RecoveryInfo& info)
{
    std::string text(kFirstLine);
    text += "\ntitle=" + escape(info.title);
    text += "\nuntitled=" + std::string(info.untitled ? "1" : "0");
    text += "\ntime=" + std::to_string(info.savedAt);
    text += "\nversion=" + std::to_string(info.programVersion);
    text += "\nbytes=" + std::to_string(info.copyBytes);
    text += "\nwidth=" + std::to_string(info.width);
    text += "\nheight=" + std::to_string(info.height);
    text += "\nxres=" + std::to_string(info.xPelsPerMeter);
    text += "\nyres=" + std::to_string(info.yPelsPerMeter);
    text += '\n';
    return text;
}

std::optional<RecoveryInfo> ParseRecoveryInfo(std::string_view text)
{
    if (text.size() > kMaxRecoveryInfoBytes)
        return std::nullopt;
    std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos || text.substr(0, lineEnd) != kFirstLine)
        return std::nullopt;

    RecoveryInfo info;
    enum Seen : unsigned { Title = 1, Untitled = 2, Time = 4, Version = 8, Bytes = 16, Width = 32, Height = 64, XRes = 128, YRes = 256 };
    constexpr unsigned kRequired = Title | Untitled | Time | Version | Bytes | Width | Height | XRes | YRes;
    unsigned seen = 0;
    constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
    while (lineEnd + 1 < text.size()) {
        const std::size_t start = lineEnd + 1;
        lineEnd = text.find('\n', start);
        if (lineEnd == std::string_view::npos)
            return std::nullopt;  // the last line ends with its newline in a whole file
        const std::string_view line = text.substr(start, lineEnd - start);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        bool ok = true;
        if (key == "title") {
            auto title = unescape(value);
            ok = title && !title->empty() && title->size() <= kMaxTitleBytes;
            if (ok)
                info.title = std::move(*title);
            seen |= Title;
        } else if (key == "untitled") {
            int flag = 0;
            ok = parseNumber(value, flag, 0, 1);
            info.untitled = flag == 1;
            seen |= Untitled;
        } else if (key == "time") {
            ok = parseNumber<std::int64_t>(value, info.savedAt, 0, std::numeric_limits<std::int64_t>::max());
            seen |= Time;
        } else if (key == "version") {
            ok = parseNumber(value, info.programVersion, 0, std::numeric_limits<int>::max());
            seen |= Version;
        } else if (key == "bytes") {
            ok = parseNumber<std::uint64_t>(value, info.copyBytes, 0, std::numeric_limits<std::uint64_t>::max());
            seen |= Bytes;
        } else if (key == "width") {
            ok = parseNumber<std::int32_t>(value, info.width, 1, kInt32Max);
            seen |= Width;
        } else if (key == "height") {
            ok = parseNumber<std::int32_t>(value, info.height, 1, kInt32Max);
            seen |= Height;
        } else if (key == "xres") {
            ok = parseNumber<std::int32_t>(value, info.xPelsPerMeter, 0, kInt32Max);
            seen |= XRes;
        } else if (key == "yres") {
            ok = parseNumber<std::int32_t>(value, info.yPelsPerMeter, 0, kInt32Max);
            seen |= YRes;
        }
        // Keys of later versions are passed over.
        if (!ok)
            return std::nullopt;
    }
    if ((seen & kRequired) != kRequired)
        return std::nullopt;
    return info;
}

}  // namespace lv
