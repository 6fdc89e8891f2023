#pragma once
// Private-profile (INI) files, one key at a time: every read opens the file afresh and
// every write rewrites it, so several parts of the program (and the user with an editor)
// share one file safely. A missing file or key gives the caller's default; a write creates
// the file (and its folder) and the section, and keeps every other line. Files are written
// in UTF-8; lines in Windows-1252 read correctly. See ProfileDocument for the line rules.

#include "common/profile_document.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lv::profile {

// The whole value, or nothing when the file, section or key is absent.
std::optional<std::string> ReadValue(const std::filesystem::path& file, std::string_view section, std::string_view key);
// The value, at most maxBytes bytes cut on a character boundary; def when absent.
std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view def, std::size_t maxBytes);
// The leading decimal number of the value (0 when it has none); def when absent or empty.
int ReadInt(const std::filesystem::path& file, std::string_view section, std::string_view key, int def);
// Every "key=value" line of the section, in file order.
std::vector<Entry> ReadSection(const std::filesystem::path& file, std::string_view section);

// Writers report whether the file now holds the change.
bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);
bool WriteInt(const std::filesystem::path& file, std::string_view section, std::string_view key, int value);
bool WriteSection(const std::filesystem::path& file, std::string_view section, const std::vector<Entry>& entries);
// Several whole sections in one rewrite of the file.
bool WriteSections(const std::filesystem::path& file,
                   const std::vector<std::pair<std::string, std::vector<Entry>>>& sections);
bool DeleteKey(const std::filesystem::path& file, std::string_view section, std::string_view key);
bool DeleteSection(const std::filesystem::path& file, std::string_view section);

// The text's number as the profile functions read it.
int ParseProfileInt(std::string_view text);
// What ReadInt and ReadString make of a stored value (or its absence).
int ProfileIntOr(const std::optional<std::string>& value, int def);
std::string ProfileTextOr(const std::optional<std::string>& value, std::string_view def, std::size_t maxBytes);

}  // namespace lv::profile
