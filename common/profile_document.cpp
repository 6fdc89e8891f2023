#include "common/profile_document.h"

#include "common/text_encoding.h"

#include <algorithm>

namespace lv::profile {
namespace {

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The section name of a header line.
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trim(line.substr(0, line.find(']')));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == '[' || line.front() == ';')
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trim(line.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    std::string_view value = trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return KeyValue{key, value};
}

bool isBlank(std::string_view line)
{
    return trim(line).empty();
}

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool validSection(std::string_view section)
{
    return !hasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool validKey(std::string_view key)
{
    key = trim(key);
    return !key.empty() && !hasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != '['
           && key.front() != ';';
}

bool validEntry(std::string_view key, std::string_view value)
{
    return validKey(key) && !hasLineBreak(value);
}

std::string entryLine(std::string_view key, std::string_view value)
{
    return std::string(trim(key)) + "=" + std::string(value);
}

bool foldedEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = FoldLatinCapital;
    unsigned char prevA = 0;
    unsigned char prevB = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (fold(prevA, ca) != fold(prevB, cb))
            return false;
        prevA = ca;
        prevB = cb;
    }
    return true;
}

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b)
{
    return foldedEqual(trim(a), trim(b));
}

ProfileDocument ProfileDocument::Parse(std::string_view bytes)
{
    ProfileDocument doc;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    bool first = true;
    while (!bytes.empty()) {
        const std::size_t nl = bytes.find('\n');
        std::string_view line = bytes.substr(0, nl);
        const bool endsCr = !line.empty() && line.back() == '\r';
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first && nl != std::string_view::npos)
            doc.crlf_ = endsCr;
        first = false;
        doc.lines_.push_back(ToUtf8(line));
        bytes = nl == std::string_view::npos ? std::string_view{} : bytes.substr(nl + 1);
    }
    return doc;
}

std::string ProfileDocument::serialize() const
{
    const std::string_view eol = crlf_ ? "\r\n" : "\n";
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += eol;
    }
    return out;
}

std::optional<ProfileDocument::Range> ProfileDocument::find(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = headerName(lines_[i]);
        if (!name || !NamesEqual(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !headerName(lines_[end]))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::findKey(const Range& range, std::string_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto kv = keyValue(lines_[i]);
        if (kv && NamesEqual(kv->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::value(std::string_view section, std::string_view key) const
{
    const auto range = find(section);
    if (!range)
        return std::nullopt;
    const auto at = findKey(*range, key);
    if (!at)
        return std::nullopt;
    return std::string(keyValue(lines_[*at])->value);
}

std::vector<Entry> ProfileDocument::section(std::string_view section) const
{
    std::vector<Entry> entries;
    if (const auto range = find(section)) {
        for (std::size_t i = range->header + 1; i < range->end; ++i)
            if (const auto kv = keyValue(lines_[i]))
                entries.push_back({std::string(kv->key), std::string(kv->value)});
    }
    return entries;
}

bool ProfileDocument::hasSection(std::string_view section) const
{
    return find(section).has_value();
}

std::size_t ProfileDocument::appendSection(std::string_view section)
{
    if (!lines_.empty() && !isBlank(lines_.back()))
        lines_.emplace_back();
    std::string header(1, '[');
    header += trim(section);
    header += ']';
    lines_.push_back(std::move(header));
    return lines_.size() - 1;
}

bool ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!validSection(section) || !validEntry(key, value))
        return false;
    auto range = find(section);
    if (!range) {
        const std::size_t header = appendSection(section);
        range = Range{header, header + 1};
    }
    if (const auto at = findKey(*range, key)) {
        // Keep the spelling the file already uses for the key.
        lines_[*at] = entryLine(keyValue(lines_[*at])->key, value);
        return true;
    }
    std::size_t insertAt = range->end;
    while (insertAt > range->header + 1 && isBlank(lines_[insertAt - 1]))
        --insertAt;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), entryLine(key, value));
    return true;
}

bool ProfileDocument::erase(std::string_view section, std::string_view key)
{
    const auto range = find(section);
    if (!range)
        return false;
    const auto at = findKey(*range, key);
    if (!at)
        return false;
    lines_.erase(lines_.begin() + std::ptrdiff_t(*at));
    return true;
}

bool ProfileDocument::eraseSection(std::string_view section)
{
    const auto range = find(section);
    if (!range)
        return false;
    lines_.erase(lines_.begin() + std::ptrdiff_t(range->header), lines_.begin() + std::ptrdiff_t(range->end));
    return true;
}

bool ProfileDocument::replaceSection(std::string_view section, const std::vector<Entry>& entries)
{
    if (!validSection(section)
        || !std::all_of(entries.begin(), entries.end(), [](const Entry& e) { return validEntry(e.key, e.value); }))
        return false;
    std::size_t at;
    if (const auto range = find(section)) {
        std::size_t bodyEnd = range->end;
        while (bodyEnd > range->header + 1 && isBlank(lines_[bodyEnd - 1]))
            --bodyEnd;
        lines_.erase(lines_.begin() + std::ptrdiff_t(range->header + 1), lines_.begin() + std::ptrdiff_t(bodyEnd));
        at = range->header + 1;
    } else {
        at = appendSection(section) + 1;
    }
    std::vector<std::string> body;
    for (const Entry& e : entries)
        body.push_back(entryLine(e.key, e.value));
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), body.begin(), body.end());
    return true;
}

}  // namespace lv::profile
