#pragma once
// The recent directories and recent files: ten of each, most recent first, kept in section
// "USUÁRIO" as "LastDir0".."LastDir9" and "File0".."File9".

#include "common/settings.h"

#include <array>
#include <string>
#include <string_view>

namespace lv {

class RecentLists {
public:
    static constexpr std::size_t kSize = 10;
    static constexpr std::size_t kEntryBytes = 255;  // each slot held 256 bytes with its terminator

    // Reads all twenty keys; an absent key leaves its slot empty.
    void load(const Settings& settings);
    // Writes all twenty keys, empty slots too; false at the first failed write.
    bool save(Settings& settings) const;

    // Moves the file's folder to the front of the folders and the file to the front of the files.
    void add(std::string_view path);

    const std::string& directory(std::size_t i) const { return directories_.at(i); }
    const std::string& file(std::size_t i) const { return files_.at(i); }
    const std::string& mostRecentDirectory() const { return directories_[0]; }

    bool operator==(const RecentLists&) const = default;

private:
    std::array<std::string, kSize> directories_;
    std::array<std::string, kSize> files_;
};

// The folder part of a path: everything before the last "/" (the root keeps its "/"); empty
// when there is none.
std::string DirectoryOf(std::string_view path);

}  // namespace lv
