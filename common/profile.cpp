#include "common/profile.h"

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/text_encoding.h"

#include <cstdint>
#include <optional>

namespace lv::profile {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> readBytes(const fs::path& file)
{
    const auto bytes = ReadWholeFile(file.string());
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

ProfileDocument load(const fs::path& file)
{
    const auto bytes = readBytes(file);
    return ProfileDocument::Parse(bytes ? *bytes : std::string());
}

// Through the safe write path, so a failed write never leaves half a file.
bool store(const fs::path& file, const ProfileDocument& doc)
{
    std::error_code ec;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    const std::string text = doc.serialize();
    return WriteWholeFile(file.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

template <typename Change>
bool modify(const fs::path& file, Change change)
{
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    const auto bytes = readBytes(file);
    if (exists && !bytes)
        return false;  // unreadable: rewriting it would lose its content
    ProfileDocument doc = ProfileDocument::Parse(bytes ? *bytes : std::string());
    return change(doc) && store(file, doc);
}

}  // namespace

int ParseProfileInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::uint32_t value = 0;  // wraps on overflow, as the platform's conversion does
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + std::uint32_t(text[i] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

int ProfileIntOr(const std::optional<std::string>& value, int def)
{
    return value && !value->empty() ? ParseProfileInt(*value) : def;
}

std::string ProfileTextOr(const std::optional<std::string>& value, std::string_view def, std::size_t maxBytes)
{
    return std::string(TruncateUtf8(value ? std::string_view(*value) : def, maxBytes));
}

std::optional<std::string> ReadValue(const fs::path& file, std::string_view section, std::string_view key)
{
    return load(file).value(section, key);
}

std::string ReadString(const fs::path& file, std::string_view section, std::string_view key, std::string_view def,
                       std::size_t maxBytes)
{
    return ProfileTextOr(ReadValue(file, section, key), def, maxBytes);
}

int ReadInt(const fs::path& file, std::string_view section, std::string_view key, int def)
{
    return ProfileIntOr(ReadValue(file, section, key), def);
}

std::vector<Entry> ReadSection(const fs::path& file, std::string_view section)
{
    return load(file).section(section);
}

bool WriteString(const fs::path& file, std::string_view section, std::string_view key, std::string_view value)
{
    return modify(file, [&](ProfileDocument& doc) { return doc.set(section, key, value); });
}

bool WriteInt(const fs::path& file, std::string_view section, std::string_view key, int value)
{
    return WriteString(file, section, key, std::to_string(value));
}

bool WriteSection(const fs::path& file, std::string_view section, const std::vector<Entry>& entries)
{
    return modify(file, [&](ProfileDocument& doc) { return doc.replaceSection(section, entries); });
}

bool WriteSections(const fs::path& file, const std::vector<std::pair<std::string, std::vector<Entry>>>& sections)
{
    return modify(file, [&](ProfileDocument& doc) {
        for (const auto& [section, entries] : sections)
            if (!doc.replaceSection(section, entries))
                return false;
        return true;
    });
}

bool DeleteKey(const fs::path& file, std::string_view section, std::string_view key)
{
    if (!load(file).value(section, key))
        return true;
    return modify(file, [&](ProfileDocument& doc) { return doc.erase(section, key); });
}

bool DeleteSection(const fs::path& file, std::string_view section)
{
    if (!load(file).hasSection(section))
        return true;
    return modify(file, [&](ProfileDocument& doc) { return doc.eraseSection(section); });
}

}  // namespace lv::profile
