#include "common/profile.h"

#include "common/byte_source.h"
#include "common/text_encoding.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

// Written beside the file and renamed over it, so a failed write never leaves half a file.
// A symbolic link is followed so that the link itself survives.
bool store(const fs::path& link, const ProfileDocument& doc)
{
    std::error_code ec;
    const fs::path file = fs::is_symlink(link, ec) ? fs::weakly_canonical(link, ec) : link;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    const auto oldStatus = fs::status(file, ec);
    const mode_t mode = fs::exists(oldStatus) ? mode_t(oldStatus.permissions() & fs::perms::mask) : 0644;
    std::string tmpName = file.string() + ".XXXXXX";
    const int fd = mkstemp(tmpName.data());
    if (fd < 0)
        return false;
    ::fchmod(fd, mode);
    const std::string text = doc.serialize();
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    const bool written = done == text.size() && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(tmpName.c_str(), file.c_str()) != 0) {
        std::remove(tmpName.c_str());
        return false;
    }
    return true;
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
