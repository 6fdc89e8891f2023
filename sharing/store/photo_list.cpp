#include "sharing/store/photo_list.h"

#include "common/text_encoding.h"
#include "sharing/store/store_protocol.h"

#include <algorithm>
#include <charconv>
#include <type_traits>
#include <unordered_set>

namespace lv::sharing::store {
namespace {

std::string_view WithoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

template <class Number>
std::optional<Number> ParseNumber(std::string_view text)
{
    Number value{};
    if (text.empty() || text.front() == '+' || (text.front() == '-' && std::is_unsigned_v<Number>))
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Calls `each` with every line, without its line end.
template <class Each>
void ForEachLine(std::string_view text, Each each)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!each(WithoutCarriageReturn(text.substr(0, end))))
            return;
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

std::optional<PhotoEntry> ParseEntry(std::string_view line)
{
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos)
        return std::nullopt;
    const auto size = ParseNumber<std::uint64_t>(line.substr(0, tab1));
    const auto modified = ParseNumber<std::int64_t>(line.substr(tab1 + 1, tab2 - tab1 - 1));
    const std::string_view name = line.substr(tab2 + 1);
    if (!size || *size > kMaxPhotoBytes || !modified || !SafePhotoName(name))
        return std::nullopt;
    return PhotoEntry{std::string(name), *size, *modified};
}

}  // namespace

std::optional<std::string> ParseLoginReply(std::string_view reply)
{
    std::optional<std::string> token;
    ForEachLine(reply, [&token](std::string_view line) {
        constexpr std::string_view key = "token=";
        if (!line.starts_with(key))
            return true;
        const std::string_view value = line.substr(key.size());
        const bool visible = std::all_of(value.begin(), value.end(), [](char c) { return c > ' ' && c < 127; });
        if (!value.empty() && value.size() <= kMaxTokenBytes && visible)
            token = std::string(value);
        return false;
    });
    return token;
}

std::vector<PhotoEntry> ParsePhotoList(std::string_view reply)
{
    std::vector<PhotoEntry> entries;
    std::unordered_set<std::string> seen;
    ForEachLine(reply, [&](std::string_view line) {
        if (std::optional<PhotoEntry> entry = ParseEntry(line); entry && seen.insert(entry->name).second)
            entries.push_back(std::move(*entry));
        return entries.size() < kMaxListedPhotos;
    });
    return entries;
}

bool SafePhotoName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameBytes || name.front() == '.' || !IsValidUtf8(name))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || u < ' ' || u == 127;
    });
}

}  // namespace lv::sharing::store
